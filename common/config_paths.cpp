#include "common/config_paths.h"

#include "platform/win32_api.h"

namespace halvern {

bool CConfigPaths::BuildWindowsPath(const char* fileName, std::string& path) {
    char directory[win::MAX_PATH] = {};
    const win::UINT length = win::GetWindowsDirectoryA(directory, win::MAX_PATH);
    if (length == 0 || length >= win::MAX_PATH) {
        return false;
    }
    std::string built(directory, length);
    if (built.back() != '\\') {
        built.push_back('\\');
    }
    built += fileName;
    if (built.size() >= kPathCapacity) {
        return false;
    }
    path = built;
    return true;
}

bool CConfigPaths::BuildConfigPaths(std::string& itemFile, std::string& moduleFile) {
    std::string item;
    std::string module;
    if (!BuildWindowsPath(kItemFileName, item) || !BuildWindowsPath(kModuleFileName, module)) {
        return false;
    }
    itemFile = item;
    moduleFile = module;
    return true;
}

}  // namespace halvern
