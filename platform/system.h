// The one installed implementation of the Win32 subset. The free functions of win32_api.h
// forward to it; the simulated PC, a fault-injecting wrapper and, later, real Win32 provide it.
#pragma once

#include "platform/win32_types.h"

namespace win {

class ISystem {
  public:
    virtual ~ISystem() = default;

    // Files (HFILE handles; FlushFileBuffers and CloseHandle also accept an HFILE cast to HANDLE)
    virtual HFILE _lopen(LPCSTR path, int mode) = 0;
    virtual HFILE _lcreat(LPCSTR path, int attributes) = 0;
    virtual UINT _lread(HFILE file, LPVOID buffer, UINT count) = 0;
    virtual UINT _lwrite(HFILE file, LPCSTR buffer, UINT count) = 0;
    virtual LONG _llseek(HFILE file, LONG offset, int origin) = 0;
    virtual HFILE _lclose(HFILE file) = 0;
    virtual int _unlink(const char* path) = 0;
    virtual BOOL FlushFileBuffers(HANDLE file) = 0;
    virtual BOOL MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) = 0;
    virtual BOOL CreateDirectoryA(LPCSTR path, SECURITY_ATTRIBUTES* security) = 0;
    virtual DWORD GetFileAttributesA(LPCSTR path) = 0;
    virtual HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) = 0;
    virtual BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data) = 0;
    virtual BOOL FindClose(HANDLE find) = 0;
    virtual UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) = 0;
    virtual UINT GetSystemDirectoryA(LPSTR buffer, UINT size) = 0;
    virtual DWORD GetLogicalDrives() = 0;
    virtual UINT GetDriveTypeA(LPCSTR root) = 0;

    // Version
    virtual BOOL GetVersionExA(OSVERSIONINFOA* info) = 0;

    // Registry (HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT)
    virtual LONG RegOpenKeyA(HKEY key, LPCSTR subKey, HKEY* result) = 0;
    virtual LONG RegCreateKeyA(HKEY key, LPCSTR subKey, HKEY* result) = 0;
    virtual LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type,
                                  LPBYTE data, LPDWORD size) = 0;
    virtual LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                                DWORD size) = 0;
    virtual LONG RegDeleteValueA(HKEY key, LPCSTR name) = 0;
    virtual LONG RegCloseKey(HKEY key) = 0;

    // Devices
    virtual HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share,
                               SECURITY_ATTRIBUTES* security, DWORD disposition, DWORD flags,
                               HANDLE templateFile) = 0;
    virtual BOOL DeviceIoControl(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out,
                                 DWORD outSize, LPDWORD bytesReturned, OVERLAPPED* overlapped) = 0;
    virtual BOOL CloseHandle(HANDLE handle) = 0;

    // Libraries
    virtual HMODULE GetModuleHandleA(LPCSTR name) = 0;
    virtual HMODULE LoadLibraryA(LPCSTR name) = 0;
    virtual FARPROC GetProcAddress(HMODULE module, LPCSTR name) = 0;
    virtual BOOL FreeLibrary(HMODULE module) = 0;
    virtual DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) = 0;

    // Processes
    virtual UINT WinExec(LPCSTR commandLine, UINT show) = 0;
    virtual BOOL CreateProcessA(LPCSTR application, LPSTR commandLine,
                                SECURITY_ATTRIBUTES* processSecurity,
                                SECURITY_ATTRIBUTES* threadSecurity, BOOL inheritHandles,
                                DWORD flags, LPVOID environment, LPCSTR currentDirectory,
                                STARTUPINFOA* startup, PROCESS_INFORMATION* info) = 0;
    virtual DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) = 0;
    virtual BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode) = 0;
    virtual DWORD GetCurrentProcessId() = 0;

    // Time
    virtual void GetSystemTime(SYSTEMTIME* time) = 0;
    virtual DWORD GetTickCount() = 0;
    virtual void Sleep(DWORD milliseconds) = 0;
};

// Installs the implementation every call goes to (not owned). Returns the previous one.
ISystem* InstallSystem(ISystem* system);
ISystem* InstalledSystem();

// Installs an implementation for the lifetime of a scope (tests install a fresh PC per test).
class ScopedSystem {
  public:
    explicit ScopedSystem(ISystem& system) : previous_(InstallSystem(&system)) {}
    ~ScopedSystem() { InstallSystem(previous_); }
    ScopedSystem(const ScopedSystem&) = delete;
    ScopedSystem& operator=(const ScopedSystem&) = delete;

  private:
    ISystem* previous_;
};

}  // namespace win
