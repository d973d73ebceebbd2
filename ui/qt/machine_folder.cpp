#include "ui/qt/machine_folder.h"

#include <algorithm>
#include <cctype>

#include "platform/win32_api.h"

namespace ui::qtbackend {
namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsRoot(const std::string& path) {
    return path.size() == 3 && path[1] == ':' && path[2] == '\\';
}

}  // namespace

std::vector<MachineDrive> MachineDrives() {
    std::vector<MachineDrive> drives;
    const win::DWORD mask = win::GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if ((mask & (1u << letter)) == 0) {
            continue;
        }
        const std::string root = std::string(1, static_cast<char>('A' + letter)) + ":\\";
        drives.push_back({root, win::GetDriveTypeA(root.c_str())});
    }
    return drives;
}

std::vector<MachineEntry> ListFolder(const std::string& folder) {
    std::vector<MachineEntry> entries;
    win::WIN32_FIND_DATAA data{};
    const std::string pattern = JoinPath(folder, "*");
    win::HANDLE find = win::FindFirstFileA(pattern.c_str(), &data);
    if (find == win::INVALID_HANDLE_VALUE) {
        return entries;
    }
    do {
        const std::string name(data.cFileName);
        if (name != "." && name != "..") {
            entries.push_back({name, (data.dwFileAttributes & win::FILE_ATTRIBUTE_DIRECTORY) != 0});
        }
    } while (win::FindNextFileA(find, &data) != win::FALSE);
    win::FindClose(find);
    std::sort(entries.begin(), entries.end(), [](const MachineEntry& a, const MachineEntry& b) {
        if (a.folder != b.folder) {
            return a.folder;
        }
        return Lower(a.name) < Lower(b.name);
    });
    return entries;
}

bool IsFolder(const std::string& path) {
    const win::DWORD attributes = win::GetFileAttributesA(path.c_str());
    return attributes != win::INVALID_FILE_ATTRIBUTES &&
           (attributes & win::FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsFile(const std::string& path) {
    const win::DWORD attributes = win::GetFileAttributesA(path.c_str());
    return attributes != win::INVALID_FILE_ATTRIBUTES &&
           (attributes & win::FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    if (folder.back() == '\\') {
        return folder + name;
    }
    return folder + "\\" + name;
}

std::string ParentPath(const std::string& path) {
    if (IsRoot(path)) {
        return path;
    }
    std::string trimmed = path;
    while (trimmed.size() > 3 && trimmed.back() == '\\') {
        trimmed.pop_back();
    }
    const std::size_t slash = trimmed.find_last_of('\\');
    if (slash == std::string::npos) {
        return DriveRoot(trimmed);
    }
    // "C:\WINDOWS" goes up to "C:\", "C:\A\B" to "C:\A".
    return slash == 2 ? trimmed.substr(0, 3) : trimmed.substr(0, slash);
}

std::string DriveRoot(const std::string& path) {
    if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0]))) {
        return {};
    }
    if (path.size() > 3 || (path.size() == 3 && path[2] != '\\')) {
        return {};
    }
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])))) +
           ":\\";
}

}  // namespace ui::qtbackend
