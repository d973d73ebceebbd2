// Where the NT configuration files live: the Windows directory, a backslash, the file name.
#pragma once

#include <cstddef>
#include <string>

namespace halvern {

class CConfigPaths {
  public:
    // Callers keep each path in a field of this many bytes, terminator included.
    static constexpr std::size_t kPathCapacity = 256;
    static constexpr const char* kItemFileName = "DO2000IF.CFG";
    static constexpr const char* kModuleFileName = "DO2000MF.CFG";

    virtual ~CConfigPaths() = default;

    // True when both paths were built; otherwise neither output is touched.
    bool BuildConfigPaths(std::string& itemFile, std::string& moduleFile);
    // The Windows directory joined with `fileName`, under the same rules.
    bool BuildWindowsPath(const char* fileName, std::string& path);
};

}  // namespace halvern
