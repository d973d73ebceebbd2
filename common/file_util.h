// Small file operations over the Windows file-handle calls: exact reads, and copies that never
// leave a half-written destination.
#pragma once

#include <string>

#include "platform/win32_types.h"

namespace halvern {

class CFileUtil {
  public:
    static constexpr win::UINT kCopyBlockSize = 256;
    static constexpr win::UINT kRescueFileSize = 20;

    virtual ~CFileUtil() = default;

    // Writes the 20 bytes of a rescue disk to `path`, asking before it overwrites an existing
    // file. Returns the number of bytes written, or -1 when declined or failed.
    int WriteRescueFile(const char* path, const win::BYTE* data);
    // True only when exactly `size` bytes were read from the start of the file.
    bool ReadExact(const char* path, void* buffer, win::UINT size);
    // Copies in 256-byte blocks into a file beside the destination and renames it over the
    // destination on success, so that a failed read or a short write leaves the destination as
    // it was.
    bool CopyFileContents(const char* source, const char* destination);

    // Where a replacement of `path` is written before it is renamed over it.
    static std::string ReplacementPath(const char* path);
};

}  // namespace halvern
