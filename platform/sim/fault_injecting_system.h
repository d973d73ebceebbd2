// A platform for tests that wraps another (usually the SimSystem of a test machine) and makes
// chosen calls fail as a real PC sometimes does; every other call goes to the wrapped one.
//
//     halvern_test::TestMachine pc;
//     winsim::FaultInjectingSystem faults(pc.System());
//     win::ScopedSystem installed(faults);
//     faults.DiskFullAfter(100);          // the 101st byte written fails with ERROR_DISK_FULL
//     faults.FailOpen("*.CFG", win::ERROR_SHARING_VIOLATION);
//
// Path patterns use Windows wildcards (wildcard.h), case-insensitively; a pattern without a
// backslash is matched against the last component only ("DO2000IF.CFG" matches it in any
// folder). A pattern with one is matched against the whole path as the caller wrote it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/system.h"

namespace winsim {

class FaultInjectingSystem : public win::ISystem {
  public:
    explicit FaultInjectingSystem(win::ISystem& inner) : inner_(inner) {}

    // _lopen, _lcreat and CreateFileA (of files) on a matching path fail with `error`.
    void FailOpen(std::string pathPattern, win::DWORD error = win::ERROR_ACCESS_DENIED);
    // Each _lwrite to a file opened by a matching path takes at most `maxBytes` and returns
    // that count.
    void ShortWrites(win::UINT maxBytes, std::string pathPattern = "*");
    // The disk fills after `bytes` more bytes written to matching files: the write that passes
    // the limit stores the part that fits and fails with ERROR_DISK_FULL, later writes store
    // nothing.
    void DiskFullAfter(std::uint64_t bytes, std::string pathPattern = "*");
    // CreateFileA("\\.\NAME") fails with ERROR_FILE_NOT_FOUND, as for a driver not loaded.
    void DeviceNotLoaded(std::string deviceName);
    // LoadLibraryA and GetModuleHandleA of the library fail with ERROR_MOD_NOT_FOUND.
    void MissingLibrary(std::string libraryName);
    // GetProcAddress of `exportName` in a library loaded through this wrapper fails with
    // ERROR_PROC_NOT_FOUND ("*" for any library).
    void MissingExport(std::string libraryName, std::string exportName);
    // RegSetValueExA of a matching value name fails with `error`, storing nothing.
    void FailRegistryWrite(std::string valueNamePattern, win::LONG error = win::ERROR_ACCESS_DENIED);
    // Forgets every fault.
    void Clear();
    // How many calls were made to fail (or shortened) so far.
    int FaultsInjected() const { return injected_; }

    win::HFILE _lopen(win::LPCSTR path, int mode) override;
    win::HFILE _lcreat(win::LPCSTR path, int attributes) override;
    win::UINT _lread(win::HFILE file, win::LPVOID buffer, win::UINT count) override;
    win::UINT _lwrite(win::HFILE file, win::LPCSTR buffer, win::UINT count) override;
    win::LONG _llseek(win::HFILE file, win::LONG offset, int origin) override;
    win::HFILE _lclose(win::HFILE file) override;
    int _unlink(const char* path) override;
    win::BOOL FlushFileBuffers(win::HANDLE file) override;
    win::BOOL MoveFileExA(win::LPCSTR from, win::LPCSTR to, win::DWORD flags) override;
    win::BOOL CreateDirectoryA(win::LPCSTR path, win::SECURITY_ATTRIBUTES* security) override;
    win::DWORD GetFileAttributesA(win::LPCSTR path) override;
    win::HANDLE FindFirstFileA(win::LPCSTR pattern, win::WIN32_FIND_DATAA* data) override;
    win::BOOL FindNextFileA(win::HANDLE find, win::WIN32_FIND_DATAA* data) override;
    win::BOOL FindClose(win::HANDLE find) override;
    win::UINT GetWindowsDirectoryA(win::LPSTR buffer, win::UINT size) override;
    win::UINT GetSystemDirectoryA(win::LPSTR buffer, win::UINT size) override;
    win::DWORD GetLogicalDrives() override;
    win::UINT GetDriveTypeA(win::LPCSTR root) override;
    win::BOOL GetVersionExA(win::OSVERSIONINFOA* info) override;
    win::LONG RegOpenKeyA(win::HKEY key, win::LPCSTR subKey, win::HKEY* result) override;
    win::LONG RegCreateKeyA(win::HKEY key, win::LPCSTR subKey, win::HKEY* result) override;
    win::LONG RegQueryValueExA(win::HKEY key, win::LPCSTR name, win::LPDWORD reserved,
                               win::LPDWORD type, win::LPBYTE data, win::LPDWORD size) override;
    win::LONG RegSetValueExA(win::HKEY key, win::LPCSTR name, win::DWORD reserved,
                             win::DWORD type, const win::BYTE* data, win::DWORD size) override;
    win::LONG RegDeleteValueA(win::HKEY key, win::LPCSTR name) override;
    win::LONG RegCloseKey(win::HKEY key) override;
    win::HANDLE CreateFileA(win::LPCSTR name, win::DWORD access, win::DWORD share,
                            win::SECURITY_ATTRIBUTES* security, win::DWORD disposition,
                            win::DWORD flags, win::HANDLE templateFile) override;
    win::BOOL DeviceIoControl(win::HANDLE device, win::DWORD code, win::LPVOID in,
                              win::DWORD inSize, win::LPVOID out, win::DWORD outSize,
                              win::LPDWORD bytesReturned, win::OVERLAPPED* overlapped) override;
    win::BOOL CloseHandle(win::HANDLE handle) override;
    win::HMODULE GetModuleHandleA(win::LPCSTR name) override;
    win::HMODULE LoadLibraryA(win::LPCSTR name) override;
    win::FARPROC GetProcAddress(win::HMODULE module, win::LPCSTR name) override;
    win::BOOL FreeLibrary(win::HMODULE module) override;
    win::DWORD GetModuleFileNameA(win::HMODULE module, win::LPSTR buffer,
                                  win::DWORD size) override;
    win::UINT WinExec(win::LPCSTR commandLine, win::UINT show) override;
    win::BOOL CreateProcessA(win::LPCSTR application, win::LPSTR commandLine,
                             win::SECURITY_ATTRIBUTES* processSecurity,
                             win::SECURITY_ATTRIBUTES* threadSecurity, win::BOOL inheritHandles,
                             win::DWORD flags, win::LPVOID environment,
                             win::LPCSTR currentDirectory, win::STARTUPINFOA* startup,
                             win::PROCESS_INFORMATION* info) override;
    win::DWORD WaitForSingleObject(win::HANDLE handle, win::DWORD milliseconds) override;
    win::BOOL GetExitCodeProcess(win::HANDLE process, win::LPDWORD exitCode) override;
    win::DWORD GetCurrentProcessId() override;
    void GetSystemTime(win::SYSTEMTIME* time) override;
    win::DWORD GetTickCount() override;
    void Sleep(win::DWORD milliseconds) override;

  private:
    struct PathFault {
        std::string pattern;
        win::DWORD error = 0;
    };
    struct LimitFault {
        std::string pattern;
        std::uint64_t limit = 0;
        bool active = false;
    };
    struct ExportFault {
        std::string library;
        std::string exportName;
    };
    struct ValueFault {
        std::string pattern;
        win::LONG error = 0;
    };

    static bool PathMatches(const std::string& pattern, const std::string& path);
    const std::string* PathOf(win::HFILE file) const;
    win::HFILE Opened(win::HFILE file, win::LPCSTR path);
    bool OpenFails(win::LPCSTR path);

    win::ISystem& inner_;
    std::vector<PathFault> openFaults_;
    LimitFault shortWrites_;
    LimitFault diskFull_;
    std::vector<std::string> missingDevices_;
    std::vector<std::string> missingLibraries_;
    std::vector<ExportFault> missingExports_;
    std::vector<ValueFault> registryFaults_;
    std::map<win::HFILE, std::string> filePaths_;        // files opened through the wrapper
    std::map<win::HMODULE, std::string> libraryNames_;   // libraries loaded through it
    int injected_ = 0;
};

}  // namespace winsim
