// The Win32 subset under its Win32 names. Each call goes to the installed ISystem.
#pragma once

#include "platform/win32_types.h"

namespace win {

HFILE _lopen(LPCSTR path, int mode);
HFILE _lcreat(LPCSTR path, int attributes);
UINT _lread(HFILE file, LPVOID buffer, UINT count);
UINT _lwrite(HFILE file, LPCSTR buffer, UINT count);
LONG _llseek(HFILE file, LONG offset, int origin);
HFILE _lclose(HFILE file);
int _unlink(const char* path);
BOOL FlushFileBuffers(HANDLE file);
BOOL MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags);
BOOL CreateDirectoryA(LPCSTR path, SECURITY_ATTRIBUTES* security);
DWORD GetFileAttributesA(LPCSTR path);
HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data);
BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE find);
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size);
UINT GetSystemDirectoryA(LPSTR buffer, UINT size);
DWORD GetLogicalDrives();
UINT GetDriveTypeA(LPCSTR root);
BOOL GetVersionExA(OSVERSIONINFOA* info);
LONG RegOpenKeyA(HKEY key, LPCSTR subKey, HKEY* result);
LONG RegCreateKeyA(HKEY key, LPCSTR subKey, HKEY* result);
LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD size);
LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size);
LONG RegDeleteValueA(HKEY key, LPCSTR name);
LONG RegCloseKey(HKEY key);
HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                   DWORD disposition, DWORD flags, HANDLE templateFile);
BOOL DeviceIoControl(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                     LPDWORD bytesReturned, OVERLAPPED* overlapped);
BOOL CloseHandle(HANDLE handle);
HMODULE GetModuleHandleA(LPCSTR name);
HMODULE LoadLibraryA(LPCSTR name);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
UINT WinExec(LPCSTR commandLine, UINT show);
BOOL CreateProcessA(LPCSTR application, LPSTR commandLine, SECURITY_ATTRIBUTES* processSecurity,
                    SECURITY_ATTRIBUTES* threadSecurity, BOOL inheritHandles, DWORD flags,
                    LPVOID environment, LPCSTR currentDirectory, STARTUPINFOA* startup,
                    PROCESS_INFORMATION* info);
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode);
DWORD GetCurrentProcessId();
void GetSystemTime(SYSTEMTIME* time);
DWORD GetTickCount();
void Sleep(DWORD milliseconds);

DWORD GetLastError();
void SetLastError(DWORD error);

}  // namespace win

namespace win {

// The HANDLE that names an HFILE, as a Win32 program writes (HANDLE)hfile.
inline HANDLE FileHandle(HFILE file) {
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(file));
}

}  // namespace win
