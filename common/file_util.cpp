#include "common/file_util.h"

#include "platform/win32_api.h"
#include "ui/message_box.h"
#include "ui/types.h"

namespace halvern {
namespace {

constexpr win::UINT kReadFailed = static_cast<win::UINT>(win::HFILE_ERROR);

}  // namespace

int CFileUtil::WriteRescueFile(const char* path, const win::BYTE* data) {
    const win::HFILE existing = win::_lopen(path, win::OF_READ);
    if (existing != win::HFILE_ERROR) {
        const int answer =
            ui::MessageBox(nullptr, "File " + std::string(path) + " alread exists, overwrite it ?",
                           "Warning", ui::MB_YESNOCANCEL | ui::MB_ICONWARNING);
        win::_lclose(existing);
        if (answer != ui::IDYES) {
            return -1;
        }
    }
    const win::HFILE file = win::_lcreat(path, 0);
    if (file == win::HFILE_ERROR) {
        ui::MessageBox(nullptr, "Error creating output file " + std::string(path), "Error",
                       ui::MB_OK | ui::MB_ICONERROR);
        return -1;
    }
    const win::UINT written =
        win::_lwrite(file, reinterpret_cast<const char*>(data), kRescueFileSize);
    // A disk that may not hold the bytes is no disk: report the failed flush as a failure.
    const bool flushed = win::FlushFileBuffers(win::FileHandle(file)) != win::FALSE;
    win::_lclose(file);
    if (written == kReadFailed || !flushed) {
        return -1;
    }
    return static_cast<int>(written);
}

bool CFileUtil::ReadExact(const char* path, void* buffer, win::UINT size) {
    const win::HFILE file = win::_lopen(path, win::OF_READ);
    if (file == win::HFILE_ERROR) {
        return false;
    }
    const win::UINT read = win::_lread(file, buffer, size);
    win::_lclose(file);
    return read == size;
}

bool CFileUtil::CopyFileContents(const char* source, const char* destination) {
    const win::HFILE in = win::_lopen(source, win::OF_READ);
    if (in == win::HFILE_ERROR) {
        return false;
    }
    const std::string replacement = ReplacementPath(destination);
    const win::HFILE out = win::_lcreat(replacement.c_str(), 0);
    if (out == win::HFILE_ERROR) {
        win::_lclose(in);
        return false;
    }

    char block[kCopyBlockSize];
    bool ok = true;
    for (;;) {
        const win::UINT read = win::_lread(in, block, kCopyBlockSize);
        if (read == kReadFailed) {
            ok = false;
            break;
        }
        if (read == 0) {
            break;
        }
        if (win::_lwrite(out, block, read) != read) {
            ok = false;
            break;
        }
        if (read < kCopyBlockSize) {
            break;
        }
    }
    if (ok) {
        ok = win::FlushFileBuffers(win::FileHandle(out)) != win::FALSE;
    }
    win::_lclose(out);
    win::_lclose(in);
    if (ok) {
        ok = win::MoveFileExA(replacement.c_str(), destination, win::MOVEFILE_REPLACE_EXISTING) !=
             win::FALSE;
    }
    if (!ok) {
        win::_unlink(replacement.c_str());
    }
    return ok;
}

std::string CFileUtil::ReplacementPath(const char* path) {
    return std::string(path) + ".new";
}

}  // namespace halvern
