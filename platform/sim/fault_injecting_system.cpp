#include "platform/sim/fault_injecting_system.h"

#include <algorithm>

#include "platform/sim/text.h"
#include "platform/sim/wildcard.h"
#include "platform/win32_api.h"

namespace winsim {
namespace {

constexpr std::string_view kDevicePrefix = "\\\\.\\";

std::string Slashed(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string LastComponent(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name Windows loads for a library name: ".dll" is added when there is no extension.
std::string LibraryFileName(const std::string& name) {
    std::string base = LastComponent(Slashed(name));
    if (base.find('.') == std::string::npos) {
        base += ".dll";
    }
    return base;
}

}  // namespace

void FaultInjectingSystem::FailOpen(std::string pathPattern, win::DWORD error) {
    openFaults_.push_back({Slashed(std::move(pathPattern)), error});
}

void FaultInjectingSystem::ShortWrites(win::UINT maxBytes, std::string pathPattern) {
    shortWrites_ = {Slashed(std::move(pathPattern)), maxBytes, true};
}

void FaultInjectingSystem::DiskFullAfter(std::uint64_t bytes, std::string pathPattern) {
    diskFull_ = {Slashed(std::move(pathPattern)), bytes, true};
}

void FaultInjectingSystem::DeviceNotLoaded(std::string deviceName) {
    missingDevices_.push_back(std::move(deviceName));
}

void FaultInjectingSystem::MissingLibrary(std::string libraryName) {
    missingLibraries_.push_back(LibraryFileName(libraryName));
}

void FaultInjectingSystem::MissingExport(std::string libraryName, std::string exportName) {
    missingExports_.push_back(
        {libraryName == "*" ? libraryName : LibraryFileName(libraryName), std::move(exportName)});
}

void FaultInjectingSystem::FailRegistryWrite(std::string valueNamePattern, win::LONG error) {
    registryFaults_.push_back({std::move(valueNamePattern), error});
}

void FaultInjectingSystem::Clear() {
    openFaults_.clear();
    shortWrites_ = {};
    diskFull_ = {};
    missingDevices_.clear();
    missingLibraries_.clear();
    missingExports_.clear();
    registryFaults_.clear();
}

bool FaultInjectingSystem::PathMatches(const std::string& pattern, const std::string& path) {
    const std::string slashed = Slashed(path);
    if (pattern.find('\\') == std::string::npos) {
        return WildcardMatch(pattern, LastComponent(slashed));
    }
    return WildcardMatch(pattern, slashed);
}

const std::string* FaultInjectingSystem::PathOf(win::HFILE file) const {
    const auto it = filePaths_.find(file);
    return it == filePaths_.end() ? nullptr : &it->second;
}

win::HFILE FaultInjectingSystem::Opened(win::HFILE file, win::LPCSTR path) {
    if (file != win::HFILE_ERROR && path != nullptr) {
        filePaths_[file] = path;
    }
    return file;
}

bool FaultInjectingSystem::OpenFails(win::LPCSTR path) {
    if (path == nullptr) {
        return false;
    }
    for (const PathFault& fault : openFaults_) {
        if (PathMatches(fault.pattern, path)) {
            ++injected_;
            win::SetLastError(fault.error);
            return true;
        }
    }
    return false;
}

// ---- files ----------------------------------------------------------------------------------

win::HFILE FaultInjectingSystem::_lopen(win::LPCSTR path, int mode) {
    if (OpenFails(path)) {
        return win::HFILE_ERROR;
    }
    return Opened(inner_._lopen(path, mode), path);
}

win::HFILE FaultInjectingSystem::_lcreat(win::LPCSTR path, int attributes) {
    if (OpenFails(path)) {
        return win::HFILE_ERROR;
    }
    return Opened(inner_._lcreat(path, attributes), path);
}

win::UINT FaultInjectingSystem::_lread(win::HFILE file, win::LPVOID buffer, win::UINT count) {
    return inner_._lread(file, buffer, count);
}

win::UINT FaultInjectingSystem::_lwrite(win::HFILE file, win::LPCSTR buffer, win::UINT count) {
    const std::string* path = PathOf(file);
    if (path == nullptr || count == 0) {
        return inner_._lwrite(file, buffer, count);
    }
    win::UINT take = count;
    bool shortened = false;
    if (shortWrites_.active && PathMatches(shortWrites_.pattern, *path) &&
        shortWrites_.limit < take) {
        take = static_cast<win::UINT>(shortWrites_.limit);
        shortened = true;
    }
    bool full = false;
    if (diskFull_.active && PathMatches(diskFull_.pattern, *path) && diskFull_.limit < take) {
        take = static_cast<win::UINT>(diskFull_.limit);
        full = true;
    }
    if (shortened || full) {
        ++injected_;
    }
    win::UINT written = 0;
    if (take > 0) {
        written = inner_._lwrite(file, buffer, take);
        if (written == static_cast<win::UINT>(win::HFILE_ERROR)) {
            return written;
        }
    }
    if (diskFull_.active && PathMatches(diskFull_.pattern, *path)) {
        diskFull_.limit -= std::min<std::uint64_t>(diskFull_.limit, written);
    }
    if (full) {
        win::SetLastError(win::ERROR_DISK_FULL);
        return static_cast<win::UINT>(win::HFILE_ERROR);
    }
    return written;
}

win::LONG FaultInjectingSystem::_llseek(win::HFILE file, win::LONG offset, int origin) {
    return inner_._llseek(file, offset, origin);
}

win::HFILE FaultInjectingSystem::_lclose(win::HFILE file) {
    filePaths_.erase(file);
    return inner_._lclose(file);
}

int FaultInjectingSystem::_unlink(const char* path) {
    return inner_._unlink(path);
}

win::BOOL FaultInjectingSystem::FlushFileBuffers(win::HANDLE file) {
    return inner_.FlushFileBuffers(file);
}

win::BOOL FaultInjectingSystem::MoveFileExA(win::LPCSTR from, win::LPCSTR to, win::DWORD flags) {
    return inner_.MoveFileExA(from, to, flags);
}

win::BOOL FaultInjectingSystem::CreateDirectoryA(win::LPCSTR path,
                                                 win::SECURITY_ATTRIBUTES* security) {
    return inner_.CreateDirectoryA(path, security);
}

win::DWORD FaultInjectingSystem::GetFileAttributesA(win::LPCSTR path) {
    return inner_.GetFileAttributesA(path);
}

win::HANDLE FaultInjectingSystem::FindFirstFileA(win::LPCSTR pattern,
                                                 win::WIN32_FIND_DATAA* data) {
    return inner_.FindFirstFileA(pattern, data);
}

win::BOOL FaultInjectingSystem::FindNextFileA(win::HANDLE find, win::WIN32_FIND_DATAA* data) {
    return inner_.FindNextFileA(find, data);
}

win::BOOL FaultInjectingSystem::FindClose(win::HANDLE find) {
    return inner_.FindClose(find);
}

win::UINT FaultInjectingSystem::GetWindowsDirectoryA(win::LPSTR buffer, win::UINT size) {
    return inner_.GetWindowsDirectoryA(buffer, size);
}

win::UINT FaultInjectingSystem::GetSystemDirectoryA(win::LPSTR buffer, win::UINT size) {
    return inner_.GetSystemDirectoryA(buffer, size);
}

win::DWORD FaultInjectingSystem::GetLogicalDrives() {
    return inner_.GetLogicalDrives();
}

win::UINT FaultInjectingSystem::GetDriveTypeA(win::LPCSTR root) {
    return inner_.GetDriveTypeA(root);
}

win::BOOL FaultInjectingSystem::GetVersionExA(win::OSVERSIONINFOA* info) {
    return inner_.GetVersionExA(info);
}

// ---- registry -------------------------------------------------------------------------------

win::LONG FaultInjectingSystem::RegOpenKeyA(win::HKEY key, win::LPCSTR subKey, win::HKEY* result) {
    return inner_.RegOpenKeyA(key, subKey, result);
}

win::LONG FaultInjectingSystem::RegCreateKeyA(win::HKEY key, win::LPCSTR subKey,
                                              win::HKEY* result) {
    return inner_.RegCreateKeyA(key, subKey, result);
}

win::LONG FaultInjectingSystem::RegQueryValueExA(win::HKEY key, win::LPCSTR name,
                                                 win::LPDWORD reserved, win::LPDWORD type,
                                                 win::LPBYTE data, win::LPDWORD size) {
    return inner_.RegQueryValueExA(key, name, reserved, type, data, size);
}

win::LONG FaultInjectingSystem::RegSetValueExA(win::HKEY key, win::LPCSTR name,
                                               win::DWORD reserved, win::DWORD type,
                                               const win::BYTE* data, win::DWORD size) {
    const std::string valueName = name == nullptr ? "" : name;
    for (const ValueFault& fault : registryFaults_) {
        if (fault.pattern.empty() ? valueName.empty() : WildcardMatch(fault.pattern, valueName)) {
            ++injected_;
            return fault.error;
        }
    }
    return inner_.RegSetValueExA(key, name, reserved, type, data, size);
}

win::LONG FaultInjectingSystem::RegDeleteValueA(win::HKEY key, win::LPCSTR name) {
    return inner_.RegDeleteValueA(key, name);
}

win::LONG FaultInjectingSystem::RegCloseKey(win::HKEY key) {
    return inner_.RegCloseKey(key);
}

// ---- devices --------------------------------------------------------------------------------

win::HANDLE FaultInjectingSystem::CreateFileA(win::LPCSTR name, win::DWORD access,
                                              win::DWORD share, win::SECURITY_ATTRIBUTES* security,
                                              win::DWORD disposition, win::DWORD flags,
                                              win::HANDLE templateFile) {
    if (name != nullptr && std::string_view(name).substr(0, kDevicePrefix.size()) == kDevicePrefix) {
        const std::string_view device = std::string_view(name).substr(kDevicePrefix.size());
        for (const std::string& missing : missingDevices_) {
            if (EqualsNoCase(missing, device)) {
                ++injected_;
                win::SetLastError(win::ERROR_FILE_NOT_FOUND);
                return win::INVALID_HANDLE_VALUE;
            }
        }
    } else if (OpenFails(name)) {
        return win::INVALID_HANDLE_VALUE;
    }
    win::HANDLE handle =
        inner_.CreateFileA(name, access, share, security, disposition, flags, templateFile);
    if (handle != win::INVALID_HANDLE_VALUE && name != nullptr) {
        filePaths_[static_cast<win::HFILE>(reinterpret_cast<std::intptr_t>(handle))] = name;
    }
    return handle;
}

win::BOOL FaultInjectingSystem::DeviceIoControl(win::HANDLE device, win::DWORD code,
                                                win::LPVOID in, win::DWORD inSize,
                                                win::LPVOID out, win::DWORD outSize,
                                                win::LPDWORD bytesReturned,
                                                win::OVERLAPPED* overlapped) {
    return inner_.DeviceIoControl(device, code, in, inSize, out, outSize, bytesReturned,
                                  overlapped);
}

win::BOOL FaultInjectingSystem::CloseHandle(win::HANDLE handle) {
    filePaths_.erase(static_cast<win::HFILE>(reinterpret_cast<std::intptr_t>(handle)));
    return inner_.CloseHandle(handle);
}

// ---- libraries ------------------------------------------------------------------------------

win::HMODULE FaultInjectingSystem::GetModuleHandleA(win::LPCSTR name) {
    if (name != nullptr) {
        const std::string file = LibraryFileName(name);
        for (const std::string& missing : missingLibraries_) {
            if (EqualsNoCase(missing, file)) {
                ++injected_;
                win::SetLastError(win::ERROR_MOD_NOT_FOUND);
                return nullptr;
            }
        }
    }
    return inner_.GetModuleHandleA(name);
}

win::HMODULE FaultInjectingSystem::LoadLibraryA(win::LPCSTR name) {
    if (name != nullptr) {
        const std::string file = LibraryFileName(name);
        for (const std::string& missing : missingLibraries_) {
            if (EqualsNoCase(missing, file)) {
                ++injected_;
                win::SetLastError(win::ERROR_MOD_NOT_FOUND);
                return nullptr;
            }
        }
    }
    win::HMODULE module = inner_.LoadLibraryA(name);
    if (module != nullptr && name != nullptr) {
        libraryNames_[module] = LibraryFileName(name);
    }
    return module;
}

win::FARPROC FaultInjectingSystem::GetProcAddress(win::HMODULE module, win::LPCSTR name) {
    const auto library = libraryNames_.find(module);
    if (name != nullptr && reinterpret_cast<std::uintptr_t>(name) >= 0x10000) {
        for (const ExportFault& fault : missingExports_) {
            const bool libraryMatches =
                fault.library == "*" ||
                (library != libraryNames_.end() && EqualsNoCase(fault.library, library->second));
            if (libraryMatches && fault.exportName == name) {
                ++injected_;
                win::SetLastError(win::ERROR_PROC_NOT_FOUND);
                return nullptr;
            }
        }
    }
    return inner_.GetProcAddress(module, name);
}

win::BOOL FaultInjectingSystem::FreeLibrary(win::HMODULE module) {
    return inner_.FreeLibrary(module);
}

win::DWORD FaultInjectingSystem::GetModuleFileNameA(win::HMODULE module, win::LPSTR buffer,
                                                    win::DWORD size) {
    return inner_.GetModuleFileNameA(module, buffer, size);
}

// ---- processes and time ---------------------------------------------------------------------

win::UINT FaultInjectingSystem::WinExec(win::LPCSTR commandLine, win::UINT show) {
    return inner_.WinExec(commandLine, show);
}

win::BOOL FaultInjectingSystem::CreateProcessA(
    win::LPCSTR application, win::LPSTR commandLine, win::SECURITY_ATTRIBUTES* processSecurity,
    win::SECURITY_ATTRIBUTES* threadSecurity, win::BOOL inheritHandles, win::DWORD flags,
    win::LPVOID environment, win::LPCSTR currentDirectory, win::STARTUPINFOA* startup,
    win::PROCESS_INFORMATION* info) {
    return inner_.CreateProcessA(application, commandLine, processSecurity, threadSecurity,
                                 inheritHandles, flags, environment, currentDirectory, startup,
                                 info);
}

win::DWORD FaultInjectingSystem::WaitForSingleObject(win::HANDLE handle, win::DWORD milliseconds) {
    return inner_.WaitForSingleObject(handle, milliseconds);
}

win::BOOL FaultInjectingSystem::GetExitCodeProcess(win::HANDLE process, win::LPDWORD exitCode) {
    return inner_.GetExitCodeProcess(process, exitCode);
}

win::DWORD FaultInjectingSystem::GetCurrentProcessId() {
    return inner_.GetCurrentProcessId();
}

void FaultInjectingSystem::GetSystemTime(win::SYSTEMTIME* time) {
    inner_.GetSystemTime(time);
}

win::DWORD FaultInjectingSystem::GetTickCount() {
    return inner_.GetTickCount();
}

void FaultInjectingSystem::Sleep(win::DWORD milliseconds) {
    inner_.Sleep(milliseconds);
}

}  // namespace winsim
