// The rescue disk: a 20-byte file on the floppy in drive A: that stands in for the logon
// password. It must match the rescue code kept in the registry, and a new disk replaces the
// code, so only the newest disk opens the program. Whoever holds the disk holds the password.
#pragma once

#include "platform/win32_types.h"

namespace ui {
class Dialog;
}

namespace halvgate {

class CRescueDisk {
  public:
    static constexpr int kDriveA = 1;
    static constexpr const char kFileName[] = "RESCUE.BIN";
    static constexpr const char kDiskPath[] = "A:\\RESCUE.BIN";

    virtual ~CRescueDisk() = default;

    // "Create Rescue Disk...": asks whether to replace the previous disk and for a disk in
    // drive A:, makes the disk and reports the outcome. Message boxes are owned by `owner`.
    bool AskAndCreate(ui::Dialog* owner);

    // Stores a new rescue code, then writes the matching disk content to `fileName` in the
    // root of drive `driveNumber` (1 is A:). The disk is not touched when the code cannot be
    // stored. True when the whole file was written.
    bool CreateRescueDisk(int driveNumber, const char* fileName);

    // The Rescue value from the service key on NT, the VxD key on Windows 9x; false when absent.
    bool ReadRescueCode(win::BYTE* code);

    // True when the 20 bytes of a disk are the transform of the current code.
    bool DiskMatchesCode(const win::BYTE* disk, const win::BYTE* code);
};

}  // namespace halvgate
