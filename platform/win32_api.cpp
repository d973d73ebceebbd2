#include "platform/win32_api.h"

#include <cstdio>
#include <cstdlib>

#include "platform/system.h"

namespace win {
namespace {

ISystem* g_system = nullptr;
DWORD g_lastError = ERROR_SUCCESS;

ISystem& Current() {
    if (g_system == nullptr) {
        std::fputs("halvern: no platform implementation is installed\n", stderr);
        std::abort();
    }
    return *g_system;
}

}  // namespace

ISystem* InstallSystem(ISystem* system) {
    ISystem* previous = g_system;
    g_system = system;
    return previous;
}

ISystem* InstalledSystem() {
    return g_system;
}

DWORD GetLastError() {
    return g_lastError;
}
void SetLastError(DWORD error) {
    g_lastError = error;
}

HFILE _lopen(LPCSTR path, int mode) {
    return Current()._lopen(path, mode);
}
HFILE _lcreat(LPCSTR path, int attributes) {
    return Current()._lcreat(path, attributes);
}
UINT _lread(HFILE file, LPVOID buffer, UINT count) {
    return Current()._lread(file, buffer, count);
}
UINT _lwrite(HFILE file, LPCSTR buffer, UINT count) {
    return Current()._lwrite(file, buffer, count);
}
LONG _llseek(HFILE file, LONG offset, int origin) {
    return Current()._llseek(file, offset, origin);
}
HFILE _lclose(HFILE file) {
    return Current()._lclose(file);
}
int _unlink(const char* path) {
    return Current()._unlink(path);
}
BOOL FlushFileBuffers(HANDLE file) {
    return Current().FlushFileBuffers(file);
}
BOOL MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) {
    return Current().MoveFileExA(from, to, flags);
}
BOOL CreateDirectoryA(LPCSTR path, SECURITY_ATTRIBUTES* security) {
    return Current().CreateDirectoryA(path, security);
}
DWORD GetFileAttributesA(LPCSTR path) {
    return Current().GetFileAttributesA(path);
}
HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) {
    return Current().FindFirstFileA(pattern, data);
}
BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data) {
    return Current().FindNextFileA(find, data);
}
BOOL FindClose(HANDLE find) {
    return Current().FindClose(find);
}
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) {
    return Current().GetWindowsDirectoryA(buffer, size);
}
UINT GetSystemDirectoryA(LPSTR buffer, UINT size) {
    return Current().GetSystemDirectoryA(buffer, size);
}
DWORD GetLogicalDrives() {
    return Current().GetLogicalDrives();
}
UINT GetDriveTypeA(LPCSTR root) {
    return Current().GetDriveTypeA(root);
}
BOOL GetVersionExA(OSVERSIONINFOA* info) {
    return Current().GetVersionExA(info);
}
LONG RegOpenKeyA(HKEY key, LPCSTR subKey, HKEY* result) {
    return Current().RegOpenKeyA(key, subKey, result);
}
LONG RegCreateKeyA(HKEY key, LPCSTR subKey, HKEY* result) {
    return Current().RegCreateKeyA(key, subKey, result);
}
LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD size) {
    return Current().RegQueryValueExA(key, name, reserved, type, data, size);
}
LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size) {
    return Current().RegSetValueExA(key, name, reserved, type, data, size);
}
LONG RegDeleteValueA(HKEY key, LPCSTR name) {
    return Current().RegDeleteValueA(key, name);
}
LONG RegCloseKey(HKEY key) {
    return Current().RegCloseKey(key);
}
HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                   DWORD disposition, DWORD flags, HANDLE templateFile) {
    return Current().CreateFileA(name, access, share, security, disposition, flags, templateFile);
}
BOOL DeviceIoControl(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                     LPDWORD bytesReturned, OVERLAPPED* overlapped) {
    return Current().DeviceIoControl(device, code, in, inSize, out, outSize, bytesReturned,
                                     overlapped);
}
BOOL CloseHandle(HANDLE handle) {
    return Current().CloseHandle(handle);
}
HMODULE GetModuleHandleA(LPCSTR name) {
    return Current().GetModuleHandleA(name);
}
HMODULE LoadLibraryA(LPCSTR name) {
    return Current().LoadLibraryA(name);
}
FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
    return Current().GetProcAddress(module, name);
}
BOOL FreeLibrary(HMODULE module) {
    return Current().FreeLibrary(module);
}
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
    return Current().GetModuleFileNameA(module, buffer, size);
}
UINT WinExec(LPCSTR commandLine, UINT show) {
    return Current().WinExec(commandLine, show);
}
BOOL CreateProcessA(LPCSTR application, LPSTR commandLine, SECURITY_ATTRIBUTES* processSecurity,
                    SECURITY_ATTRIBUTES* threadSecurity, BOOL inheritHandles, DWORD flags,
                    LPVOID environment, LPCSTR currentDirectory, STARTUPINFOA* startup,
                    PROCESS_INFORMATION* info) {
    return Current().CreateProcessA(application, commandLine, processSecurity, threadSecurity,
                                    inheritHandles, flags, environment, currentDirectory, startup,
                                    info);
}
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    return Current().WaitForSingleObject(handle, milliseconds);
}
BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode) {
    return Current().GetExitCodeProcess(process, exitCode);
}
DWORD GetCurrentProcessId() {
    return Current().GetCurrentProcessId();
}
void GetSystemTime(SYSTEMTIME* time) {
    Current().GetSystemTime(time);
}
DWORD GetTickCount() {
    return Current().GetTickCount();
}
void Sleep(DWORD milliseconds) {
    Current().Sleep(milliseconds);
}

}  // namespace win
