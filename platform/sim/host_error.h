// The Win32 error a host errno stands for.
#pragma once

#include <cerrno>

#include "platform/win32_types.h"

namespace winsim {

inline win::DWORD Win32ErrorOf(int error) {
    switch (error) {
        case 0:
            return win::ERROR_SUCCESS;
        case ENOENT:
            return win::ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
            return win::ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
        case ETXTBSY:
            return win::ERROR_ACCESS_DENIED;
        case EMFILE:
        case ENFILE:
            return win::ERROR_TOO_MANY_OPEN_FILES;
        case EBADF:
            return win::ERROR_INVALID_HANDLE;
        case ENOMEM:
            return win::ERROR_NOT_ENOUGH_MEMORY;
        case ENOSPC:
        case EDQUOT:
            return win::ERROR_DISK_FULL;
        case EEXIST:
            return win::ERROR_ALREADY_EXISTS;
        case ENOTEMPTY:
            return 145;  // ERROR_DIR_NOT_EMPTY
        case EXDEV:
            return 17;  // ERROR_NOT_SAME_DEVICE
        case ENAMETOOLONG:
            return 206;  // ERROR_FILENAME_EXCED_RANGE
        case EINVAL:
            return win::ERROR_INVALID_PARAMETER;
        case ENOEXEC:
            return 193;  // ERROR_BAD_EXE_FORMAT
        default:
            return win::ERROR_GEN_FAILURE;
    }
}

}  // namespace winsim
