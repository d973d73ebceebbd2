// SimSystem: construction, the handle table, version, drives' folders and time. The other
// groups of calls are in sim_files.cpp, sim_registry.cpp, sim_devices.cpp, sim_libraries.cpp and
// sim_processes.cpp.
#include "platform/sim/sim_system.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstring>
#include <ctime>

#include "platform/sim/text.h"
#include "platform/win32_api.h"

namespace winsim {

SimSystem::SimSystem(Machine machine)
    : machine_(std::move(machine)), hives_(machine_.RegistryDirectory()) {}

SimSystem::~SimSystem() {
    for (auto& [value, object] : objects_) {
        if (auto* file = std::get_if<OpenFile>(&object)) {
            ::close(file->fd);
        } else if (auto* process = std::get_if<ChildHandle>(&object)) {
            if (!process->child->exited) {
                orphans_.push_back(process->child);
            }
        }
    }
    ReapOrphans();
    for (auto& [handle, module] : modules_) {
        ::dlclose(module.library);
    }
}

void SimSystem::SetCurrentDirectory(std::string windowsPath) {
    std::string normal;
    if (Machine::Normalize(windowsPath, currentDir_, normal)) {
        currentDir_ = normal;
    }
}

void SimSystem::RegisterDevice(std::string name, std::shared_ptr<IDevice> device,
                               std::optional<Family> family) {
    registeredDevices_[ToLower(name)] = RegisteredDevice{std::move(device), family};
}

win::HANDLE SimSystem::AddObject(Object object) {
    const std::intptr_t value = nextHandle_;
    nextHandle_ += 4;
    objects_.emplace(value, std::move(object));
    return reinterpret_cast<win::HANDLE>(value);
}

SimSystem::Object* SimSystem::FindObject(win::HANDLE handle) {
    const auto it = objects_.find(reinterpret_cast<std::intptr_t>(handle));
    return it == objects_.end() ? nullptr : &it->second;
}

SimSystem::OpenFile* SimSystem::FindFile(win::HFILE file) {
    Object* object = FindObject(win::FileHandle(file));
    return object == nullptr ? nullptr : std::get_if<OpenFile>(object);
}

win::BOOL SimSystem::CloseHandle(win::HANDLE handle) {
    const auto it = objects_.find(reinterpret_cast<std::intptr_t>(handle));
    if (it == objects_.end()) {
        win::SetLastError(win::ERROR_INVALID_HANDLE);
        return win::FALSE;
    }
    if (auto* file = std::get_if<OpenFile>(&it->second)) {
        ::close(file->fd);
    } else if (auto* process = std::get_if<ChildHandle>(&it->second)) {
        // The last handle of a child still running: reap it later, so that no zombie stays.
        if (!process->child->exited && process->child.use_count() == 1) {
            orphans_.push_back(process->child);
        }
    }
    objects_.erase(it);
    ReapOrphans();
    return win::TRUE;
}

// ---- Windows and system folders, drives -----------------------------------------------------

namespace {

// The GetWindowsDirectoryA rule: too small a buffer is left untouched and the size needed with
// the terminator is returned; otherwise the length without it.
win::UINT CopyOut(const std::string& text, win::LPSTR buffer, win::UINT size) {
    const std::size_t needed = text.size() + 1;
    if (buffer == nullptr || size < needed) {
        return static_cast<win::UINT>(needed);
    }
    std::memcpy(buffer, text.c_str(), needed);
    return static_cast<win::UINT>(text.size());
}

std::string WithoutTrailingBackslash(std::string path) {
    while (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

}  // namespace

win::UINT SimSystem::GetWindowsDirectoryA(win::LPSTR buffer, win::UINT size) {
    return CopyOut(WithoutTrailingBackslash(machine_.Settings().windowsDir), buffer, size);
}

win::UINT SimSystem::GetSystemDirectoryA(win::LPSTR buffer, win::UINT size) {
    return CopyOut(WithoutTrailingBackslash(machine_.Settings().systemDir), buffer, size);
}

win::DWORD SimSystem::GetLogicalDrives() {
    win::DWORD mask = 0;
    for (const auto& [letter, drive] : machine_.Settings().drives) {
        if (drive.kind != DriveKind::Absent && letter >= 'A' && letter <= 'Z') {
            mask |= 1u << (letter - 'A');
        }
    }
    return mask;
}

win::UINT SimSystem::GetDriveTypeA(win::LPCSTR root) {
    char letter = currentDir_.empty() ? 'C' : currentDir_[0];
    if (root != nullptr) {
        const std::size_t length = std::strlen(root);
        const bool form = (length == 2 || length == 3) && root[1] == ':' &&
                          (length == 2 || root[2] == '\\' || root[2] == '/');
        letter = AsciiUpper(root[0]);
        if (!form || letter < 'A' || letter > 'Z') {
            return win::DRIVE_NO_ROOT_DIR;
        }
    }
    return DriveTypeCode(machine_.DriveKindOf(letter));
}

// ---- version --------------------------------------------------------------------------------

win::BOOL SimSystem::GetVersionExA(win::OSVERSIONINFOA* info) {
    if (info == nullptr) {
        win::SetLastError(win::ERROR_INVALID_PARAMETER);
        return win::FALSE;
    }
    const win::DWORD size = info->dwOSVersionInfoSize;
    constexpr win::DWORD kExtendedSize = 156;
    if (size != sizeof(win::OSVERSIONINFOA) && size != kExtendedSize) {
        win::SetLastError(win::ERROR_INSUFFICIENT_BUFFER);
        return win::FALSE;
    }
    const bool nt = machine_.Settings().family == Family::Nt;
    info->dwMajorVersion = 4;
    info->dwMinorVersion = nt ? 0 : 10;
    info->dwBuildNumber = nt ? 1381 : 0x040A07CE;  // 9x puts the version in the high word
    info->dwPlatformId = nt ? win::VER_PLATFORM_WIN32_NT : win::VER_PLATFORM_WIN32_WINDOWS;
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    std::strcpy(info->szCSDVersion, nt ? "Service Pack 6" : " A ");
    if (size == kExtendedSize) {
        // OSVERSIONINFOEXA: service pack major and minor, suite mask, product type, reserved.
        unsigned char* extra = reinterpret_cast<unsigned char*>(info) + sizeof(win::OSVERSIONINFOA);
        std::memset(extra, 0, kExtendedSize - sizeof(win::OSVERSIONINFOA));
        if (nt) {
            extra[0] = 6;  // Service Pack 6
            extra[6] = 1;  // VER_NT_WORKSTATION
        }
    }
    return win::TRUE;
}

// ---- time -----------------------------------------------------------------------------------

void SimSystem::GetSystemTime(win::SYSTEMTIME* time) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    std::tm utc{};
    ::gmtime_r(&now.tv_sec, &utc);
    time->wYear = static_cast<win::WORD>(utc.tm_year + 1900);
    time->wMonth = static_cast<win::WORD>(utc.tm_mon + 1);
    time->wDayOfWeek = static_cast<win::WORD>(utc.tm_wday);
    time->wDay = static_cast<win::WORD>(utc.tm_mday);
    time->wHour = static_cast<win::WORD>(utc.tm_hour);
    time->wMinute = static_cast<win::WORD>(utc.tm_min);
    time->wSecond = static_cast<win::WORD>(utc.tm_sec);
    time->wMilliseconds = static_cast<win::WORD>(now.tv_nsec / 1000000);
}

win::DWORD SimSystem::GetTickCount() {
    ReapOrphans();
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const std::uint64_t ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                             static_cast<std::uint64_t>(now.tv_nsec / 1000000);
    const std::uint64_t base = machine_.Settings().bootTickBase;
    return static_cast<win::DWORD>(base != 0 && base <= ms ? ms - base : ms);
}

void SimSystem::Sleep(win::DWORD milliseconds) {
    ReapOrphans();
    timespec rest{static_cast<time_t>(milliseconds / 1000),
                  static_cast<long>(milliseconds % 1000) * 1000000L};
    while (::nanosleep(&rest, &rest) != 0 && errno == EINTR) {
    }
}

win::DWORD SimSystem::GetCurrentProcessId() {
    return static_cast<win::DWORD>(::getpid());
}

}  // namespace winsim
