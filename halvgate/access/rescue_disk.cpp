#include "halvgate/access/rescue_disk.h"

#include <algorithm>
#include <span>
#include <string>

#include "common/byte_order.h"
#include "common/file_util.h"
#include "common/os_family.h"
#include "common/password_codec.h"
#include "common/registry_keys.h"
#include "common/registry_store.h"
#include "common/rescue_transform.h"
#include "platform/win32_api.h"
#include "ui/dialog.h"
#include "ui/message_box.h"
#include "ui/types.h"

namespace halvgate {
namespace {

using halvern::CRescueTransform;
using win::BYTE;

constexpr std::size_t kSize = CRescueTransform::kSize;
static_assert(kSize == halvern::CFileUtil::kRescueFileSize);

// The current time as the 16 bytes of a SYSTEMTIME, then the tick count.
void MakeSeed(BYTE* seed) {
    win::SYSTEMTIME time{};
    win::GetSystemTime(&time);
    const win::WORD fields[] = {time.wYear, time.wMonth,  time.wDayOfWeek, time.wDay,
                                time.wHour, time.wMinute, time.wSecond,    time.wMilliseconds};
    std::span<BYTE> bytes(seed, kSize);
    for (std::size_t i = 0; i < 8; ++i) {
        halvern::PutU16(bytes, 2 * i, fields[i]);
    }
    halvern::PutU32(bytes, 16, win::GetTickCount());
}

bool StoreRescueCode(const BYTE* code) {
    halvern::CRegistryStore store;
    if (halvern::IsWindows9x(halvern::COsFamily().GetPlatformId())) {
        return store.WriteLegacyBinaryValue(halvern::reg::kRescue, code, kSize);
    }
    return store.WriteBinaryValue(win::HKEY_LOCAL_MACHINE, halvern::kServiceKey,
                                  halvern::reg::kRescue, code, kSize);
}

}  // namespace

bool CRescueDisk::AskAndCreate(ui::Dialog* owner) {
    if (ui::MessageBox(owner,
                       "Your previous rescue disk will not be valid any more if you create a new "
                       "one.\r\nAre you sure to create a new rescue disk ?",
                       "Warning", ui::MB_YESNO | ui::MB_ICONWARNING) != ui::IDYES) {
        return false;
    }
    if (ui::MessageBox(owner, "Please insert disk into drive A. Click OK when ready...",
                       "Information", ui::MB_OKCANCEL | ui::MB_ICONINFORMATION) != ui::IDOK) {
        return false;
    }
    if (!CreateRescueDisk(kDriveA, kFileName)) {
        ui::MessageBox(owner, "Sorry, error creating rescue disk", "Error",
                       ui::MB_OK | ui::MB_ICONERROR);
        return false;
    }
    ui::MessageBox(owner, "Rescue disk has been created successfully!", "Successful",
                   ui::MB_OK | ui::MB_ICONINFORMATION);
    return true;
}

bool CRescueDisk::CreateRescueDisk(int driveNumber, const char* fileName) {
    if (driveNumber < 1 || driveNumber > 26) {
        return false;
    }
    BYTE seed[kSize];
    BYTE code[kSize];
    BYTE disk[kSize];
    MakeSeed(seed);
    const CRescueTransform transform;
    transform.Apply(seed, code);
    // Two disks made within one clock tick would get one code, and the earlier disk would stay
    // valid. T maps different seeds to different codes, so another tick count is enough.
    BYTE previous[kSize];
    if (ReadRescueCode(previous) && std::equal(code, code + kSize, previous)) {
        std::span<BYTE> bytes(seed, kSize);
        halvern::PutU32(bytes, 16, halvern::GetU32(bytes, 16) + 1);
        transform.Apply(seed, code);
    }
    halvern::CPasswordCodec::Wipe(previous, sizeof previous);
    transform.Apply(code, disk);
    halvern::CPasswordCodec::Wipe(seed, sizeof seed);

    const bool stored = StoreRescueCode(code);
    halvern::CPasswordCodec::Wipe(code, sizeof code);
    bool written = false;
    if (stored) {
        const std::string path =
            std::string(1, static_cast<char>('@' + driveNumber)) + ":\\" + fileName;
        written =
            halvern::CFileUtil().WriteRescueFile(path.c_str(), disk) == static_cast<int>(kSize);
    }
    halvern::CPasswordCodec::Wipe(disk, sizeof disk);
    return written;
}

bool CRescueDisk::ReadRescueCode(BYTE* code) {
    halvern::CRegistryStore store;
    for (std::size_t i = 0; i < kSize; ++i) {
        code[i] = 0;
    }
    if (halvern::IsWindows9x(halvern::COsFamily().GetPlatformId())) {
        return store.ReadLegacyValue(halvern::reg::kRescue, code, kSize);
    }
    return store.ReadValue(win::HKEY_LOCAL_MACHINE, halvern::kServiceKey, halvern::reg::kRescue,
                           code, kSize);
}

bool CRescueDisk::DiskMatchesCode(const BYTE* disk, const BYTE* code) {
    BYTE expected[kSize];
    CRescueTransform().Apply(code, expected);
    unsigned difference = 0;
    for (std::size_t i = 0; i < kSize; ++i) {
        difference |= static_cast<unsigned>(expected[i] ^ disk[i]);
    }
    halvern::CPasswordCodec::Wipe(expected, sizeof expected);
    return difference == 0;
}

}  // namespace halvgate
