// SimSystem: the _lopen family, attributes, folders and directory listings.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <system_error>

#include "platform/sim/host_error.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/wildcard.h"
#include "platform/win32_api.h"

namespace winsim {
namespace fs = std::filesystem;

namespace {

constexpr win::UINT kReadWriteError = static_cast<win::UINT>(win::HFILE_ERROR);
constexpr win::DWORD kErrorNegativeSeek = 131;

win::HFILE Fail(win::DWORD error) {
    win::SetLastError(error);
    return win::HFILE_ERROR;
}

win::BOOL FailBool(win::DWORD error) {
    win::SetLastError(error);
    return win::FALSE;
}

// FILETIME counts 100 ns steps since 1601-01-01.
win::FILETIME ToFileTime(const timespec& time) {
    constexpr std::uint64_t kSecondsFrom1601To1970 = 11644473600ull;
    const std::uint64_t ticks =
        (static_cast<std::uint64_t>(time.tv_sec) + kSecondsFrom1601To1970) * 10000000ull +
        static_cast<std::uint64_t>(time.tv_nsec / 100);
    return {static_cast<win::DWORD>(ticks), static_cast<win::DWORD>(ticks >> 32)};
}

win::DWORD AttributesOf(const struct stat& st) {
    win::DWORD attributes =
        S_ISDIR(st.st_mode) ? win::FILE_ATTRIBUTE_DIRECTORY : win::FILE_ATTRIBUTE_ARCHIVE;
    if ((st.st_mode & S_IWUSR) == 0) {
        attributes |= win::FILE_ATTRIBUTE_READONLY;
    }
    return attributes;
}

bool FillFindData(const fs::path& hostPath, const std::string& name, win::WIN32_FIND_DATAA& data) {
    struct stat st {};
    if (::stat(hostPath.c_str(), &st) != 0 || name.size() >= win::MAX_PATH) {
        return false;
    }
    std::memset(&data, 0, sizeof data);
    data.dwFileAttributes = AttributesOf(st);
    data.ftCreationTime = ToFileTime(st.st_ctim);
    data.ftLastAccessTime = ToFileTime(st.st_atim);
    data.ftLastWriteTime = ToFileTime(st.st_mtim);
    if (!S_ISDIR(st.st_mode)) {
        const auto size = static_cast<std::uint64_t>(st.st_size);
        data.nFileSizeHigh = static_cast<win::DWORD>(size >> 32);
        data.nFileSizeLow = static_cast<win::DWORD>(size);
    }
    std::memcpy(data.cFileName, name.c_str(), name.size() + 1);
    return true;
}

// Host names that no Windows path can name are not listed.
bool NameableOnWindows(const std::string& name) {
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32 || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
            c == '>' || c == '|') {
            return false;
        }
    }
    return true;
}

}  // namespace

win::DWORD SimSystem::ResolvePath(win::LPCSTR path, HostPath& out, bool allowWildcardLeaf) const {
    if (path == nullptr) {
        return win::ERROR_INVALID_PARAMETER;
    }
    return machine_.Resolve(path, currentDir_, out, allowWildcardLeaf);
}

win::HFILE SimSystem::OpenHost(const HostPath& where, int flags, bool canRead, bool canWrite) {
    const int fd = ::open(where.path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) {
        return Fail(Win32ErrorOf(errno));
    }
    const win::HANDLE handle = AddObject(OpenFile{fd, canRead, canWrite});
    return static_cast<win::HFILE>(reinterpret_cast<std::intptr_t>(handle));
}

win::HFILE SimSystem::_lopen(win::LPCSTR path, int mode) {
    HostPath where;
    const win::DWORD error = ResolvePath(path, where);
    if (error != win::ERROR_SUCCESS) {
        return Fail(error);
    }
    if (!where.exists) {
        return Fail(win::ERROR_FILE_NOT_FOUND);
    }
    if (where.isDirectory) {
        return Fail(win::ERROR_ACCESS_DENIED);
    }
    switch (mode & 0x3) {  // the share bits (0x10..0x40) are not simulated
        case win::OF_READ:
            return OpenHost(where, O_RDONLY, true, false);
        case win::OF_WRITE:
            return OpenHost(where, O_WRONLY, false, true);
        case win::OF_READWRITE:
            return OpenHost(where, O_RDWR, true, true);
        default:
            return Fail(win::ERROR_INVALID_PARAMETER);
    }
}

win::HFILE SimSystem::_lcreat(win::LPCSTR path, int /*attributes*/) {
    HostPath where;
    const win::DWORD error = ResolvePath(path, where);
    if (error != win::ERROR_SUCCESS) {
        return Fail(error);
    }
    if (where.isDirectory) {
        return Fail(win::ERROR_ACCESS_DENIED);
    }
    return OpenHost(where, O_RDWR | O_CREAT | O_TRUNC, true, true);
}

win::UINT SimSystem::_lread(win::HFILE file, win::LPVOID buffer, win::UINT count) {
    OpenFile* open = FindFile(file);
    if (open == nullptr) {
        win::SetLastError(win::ERROR_INVALID_HANDLE);
        return kReadWriteError;
    }
    if (!open->canRead) {
        win::SetLastError(win::ERROR_ACCESS_DENIED);
        return kReadWriteError;
    }
    auto* bytes = static_cast<char*>(buffer);
    win::UINT done = 0;
    while (done < count) {
        const ssize_t n = ::read(open->fd, bytes + done, count - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            win::SetLastError(Win32ErrorOf(errno));
            return kReadWriteError;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<win::UINT>(n);
    }
    return done;
}

win::UINT SimSystem::_lwrite(win::HFILE file, win::LPCSTR buffer, win::UINT count) {
    OpenFile* open = FindFile(file);
    if (open == nullptr) {
        win::SetLastError(win::ERROR_INVALID_HANDLE);
        return kReadWriteError;
    }
    if (!open->canWrite) {
        win::SetLastError(win::ERROR_ACCESS_DENIED);
        return kReadWriteError;
    }
    if (count == 0) {
        // As on Windows, a zero-length write sets the end of the file at the current position.
        const off_t here = ::lseek(open->fd, 0, SEEK_CUR);
        if (here < 0 || ::ftruncate(open->fd, here) != 0) {
            win::SetLastError(Win32ErrorOf(errno));
            return kReadWriteError;
        }
        return 0;
    }
    win::UINT done = 0;
    while (done < count) {
        const ssize_t n = ::write(open->fd, buffer + done, count - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            win::SetLastError(Win32ErrorOf(errno));
            return kReadWriteError;
        }
        done += static_cast<win::UINT>(n);
    }
    return done;
}

win::LONG SimSystem::_llseek(win::HFILE file, win::LONG offset, int origin) {
    OpenFile* open = FindFile(file);
    if (open == nullptr) {
        return Fail(win::ERROR_INVALID_HANDLE);
    }
    int whence = SEEK_SET;
    switch (origin) {
        case win::FILE_BEGIN:
            whence = SEEK_SET;
            break;
        case win::FILE_CURRENT:
            whence = SEEK_CUR;
            break;
        case win::FILE_END:
            whence = SEEK_END;
            break;
        default:
            return Fail(win::ERROR_INVALID_PARAMETER);
    }
    const off_t result = ::lseek(open->fd, offset, whence);
    if (result < 0) {
        return Fail(errno == EINVAL ? kErrorNegativeSeek : Win32ErrorOf(errno));
    }
    if (result > 0x7FFFFFFF) {
        return Fail(win::ERROR_INVALID_PARAMETER);
    }
    return static_cast<win::LONG>(result);
}

win::HFILE SimSystem::_lclose(win::HFILE file) {
    if (FindFile(file) == nullptr) {
        return Fail(win::ERROR_INVALID_HANDLE);
    }
    CloseHandle(win::FileHandle(file));
    return 0;
}

int SimSystem::_unlink(const char* path) {
    HostPath where;
    win::DWORD error = ResolvePath(path, where);
    if (error == win::ERROR_SUCCESS && !where.exists) {
        error = win::ERROR_FILE_NOT_FOUND;
    }
    if (error == win::ERROR_SUCCESS && where.isDirectory) {
        error = win::ERROR_ACCESS_DENIED;
    }
    if (error == win::ERROR_SUCCESS && ::unlink(where.path.c_str()) != 0) {
        error = Win32ErrorOf(errno);
    }
    if (error != win::ERROR_SUCCESS) {
        win::SetLastError(error);
        return -1;
    }
    return 0;
}

win::BOOL SimSystem::FlushFileBuffers(win::HANDLE file) {
    Object* object = FindObject(file);
    auto* open = object == nullptr ? nullptr : std::get_if<OpenFile>(object);
    if (open == nullptr) {
        return FailBool(win::ERROR_INVALID_HANDLE);
    }
    if (!open->canWrite) {
        return FailBool(win::ERROR_ACCESS_DENIED);
    }
    if (::fsync(open->fd) != 0) {
        return FailBool(Win32ErrorOf(errno));
    }
    return win::TRUE;
}

win::BOOL SimSystem::MoveFileExA(win::LPCSTR from, win::LPCSTR to, win::DWORD flags) {
    HostPath source;
    HostPath target;
    win::DWORD error = ResolvePath(from, source);
    if (error == win::ERROR_SUCCESS && !source.exists) {
        error = win::ERROR_FILE_NOT_FOUND;
    }
    if (error == win::ERROR_SUCCESS) {
        error = ResolvePath(to, target);
    }
    if (error != win::ERROR_SUCCESS) {
        return FailBool(error);
    }
    if (source.isDriveRoot || target.isDriveRoot) {
        return FailBool(win::ERROR_ACCESS_DENIED);
    }
    fs::path destination = target.path;
    if (target.exists) {
        std::error_code ec;
        if (fs::equivalent(source.path, target.path, ec)) {
            // Only the case of the name changes: take the name as given.
            std::string given(to);
            const std::size_t cut = given.find_last_of("\\/");
            destination = target.path.parent_path() /
                          (cut == std::string::npos ? given : given.substr(cut + 1));
        } else if ((flags & win::MOVEFILE_REPLACE_EXISTING) == 0) {
            return FailBool(win::ERROR_ALREADY_EXISTS);
        } else if (target.isDirectory || source.isDirectory) {
            return FailBool(win::ERROR_ACCESS_DENIED);
        }
    }
    // rename() replaces the target atomically: readers see the old file or the new one.
    if (::rename(source.path.c_str(), destination.c_str()) != 0) {
        return FailBool(Win32ErrorOf(errno));
    }
    constexpr win::DWORD kWriteThrough = 0x8;
    if ((flags & kWriteThrough) != 0) {
        const int dir = ::open(destination.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    return win::TRUE;
}

win::BOOL SimSystem::CreateDirectoryA(win::LPCSTR path, win::SECURITY_ATTRIBUTES* /*security*/) {
    HostPath where;
    const win::DWORD error = ResolvePath(path, where);
    if (error != win::ERROR_SUCCESS) {
        return FailBool(error);
    }
    if (where.exists) {
        return FailBool(win::ERROR_ALREADY_EXISTS);
    }
    if (::mkdir(where.path.c_str(), 0755) != 0) {
        return FailBool(Win32ErrorOf(errno));
    }
    return win::TRUE;
}

win::DWORD SimSystem::GetFileAttributesA(win::LPCSTR path) {
    HostPath where;
    win::DWORD error = ResolvePath(path, where);
    if (error == win::ERROR_SUCCESS && !where.exists) {
        error = win::ERROR_FILE_NOT_FOUND;
    }
    struct stat st {};
    if (error == win::ERROR_SUCCESS && ::stat(where.path.c_str(), &st) != 0) {
        error = Win32ErrorOf(errno);
    }
    if (error != win::ERROR_SUCCESS) {
        win::SetLastError(error);
        return win::INVALID_FILE_ATTRIBUTES;
    }
    return AttributesOf(st);
}

win::HANDLE SimSystem::FindFirstFileA(win::LPCSTR pattern, win::WIN32_FIND_DATAA* data) {
    const auto fail = [](win::DWORD error) {
        win::SetLastError(error);
        return win::INVALID_HANDLE_VALUE;
    };
    if (pattern == nullptr || data == nullptr) {
        return fail(win::ERROR_INVALID_PARAMETER);
    }
    const std::string text(pattern);
    if (text.empty() || text.back() == '\\' || text.back() == '/') {
        return fail(win::ERROR_FILE_NOT_FOUND);
    }
    std::string normal;
    if (!Machine::Normalize(text, currentDir_, normal)) {
        return fail(win::ERROR_PATH_NOT_FOUND);
    }
    const std::size_t cut = normal.find_last_of('\\');
    const std::string folder = normal.substr(0, cut == 2 ? 3 : cut);
    const std::string leaf = normal.substr(cut + 1);
    if (leaf.empty()) {
        return fail(win::ERROR_FILE_NOT_FOUND);
    }
    HostPath where;
    win::DWORD error = machine_.Resolve(normal, currentDir_, where, true);
    if (error == win::ERROR_PATH_NOT_FOUND) {
        HostPath parent;  // a file where the folder should be
        if (machine_.Resolve(folder, currentDir_, parent) == win::ERROR_SUCCESS && parent.exists &&
            !parent.isDirectory) {
            error = win::ERROR_DIRECTORY;
        }
    }
    if (error != win::ERROR_SUCCESS) {
        return fail(error);
    }
    const fs::path hostFolder = where.path.parent_path();
    const bool atRoot = folder.size() == 3;  // "C:\"
    FindState state;
    win::WIN32_FIND_DATAA entry{};
    if (!atRoot) {
        for (const char* dots : {".", ".."}) {
            if (WildcardMatch(leaf, dots) && FillFindData(hostFolder, dots, entry)) {
                state.entries.push_back(entry);
            }
        }
    }
    std::error_code ec;
    for (fs::directory_iterator it(hostFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name != Machine::kBlankDiskMarker && NameableOnWindows(name) &&
            WildcardMatch(leaf, name) &&
            FillFindData(it->path(), name, entry)) {
            state.entries.push_back(entry);
        }
    }
    if (state.entries.empty()) {
        return fail(win::ERROR_FILE_NOT_FOUND);
    }
    *data = state.entries.front();
    state.next = 1;
    return AddObject(std::move(state));
}

win::BOOL SimSystem::FindNextFileA(win::HANDLE find, win::WIN32_FIND_DATAA* data) {
    Object* object = FindObject(find);
    auto* state = object == nullptr ? nullptr : std::get_if<FindState>(object);
    if (state == nullptr) {
        return FailBool(win::ERROR_INVALID_HANDLE);
    }
    if (state->next >= state->entries.size()) {
        return FailBool(win::ERROR_NO_MORE_FILES);
    }
    *data = state->entries[state->next++];
    return win::TRUE;
}

win::BOOL SimSystem::FindClose(win::HANDLE find) {
    Object* object = FindObject(find);
    if (object == nullptr || !std::holds_alternative<FindState>(*object)) {
        return FailBool(win::ERROR_INVALID_HANDLE);
    }
    objects_.erase(reinterpret_cast<std::intptr_t>(find));
    return win::TRUE;
}

}  // namespace winsim
