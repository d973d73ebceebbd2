// The machine's drives and folders as the common dialogs show them, read through the Win32
// subset: Windows paths in, Windows paths out.
#pragma once

#include <string>
#include <vector>

namespace ui::qtbackend {

struct MachineDrive {
    std::string root;   // "C:\"
    unsigned type = 0;  // DRIVE_FIXED, DRIVE_REMOVABLE, ...
};

struct MachineEntry {
    std::string name;
    bool folder = false;
};

// The drives GetLogicalDrives reports, in letter order.
std::vector<MachineDrive> MachineDrives();
// The entries of a folder, folders first, each group sorted without regard to case; "." and
// ".." are left out. Empty when the folder cannot be read.
std::vector<MachineEntry> ListFolder(const std::string& folder);
bool IsFolder(const std::string& path);
bool IsFile(const std::string& path);
// "C:\" + "WINDOWS" is "C:\WINDOWS"; "C:\WINDOWS" + "a.txt" is "C:\WINDOWS\a.txt".
std::string JoinPath(const std::string& folder, const std::string& name);
// The folder above `path`; a drive root is its own parent.
std::string ParentPath(const std::string& path);
// A drive root ("C:\") or a drive letter with a colon ("c:") as "C:\"; empty otherwise.
std::string DriveRoot(const std::string& path);

}  // namespace ui::qtbackend
