// The simulated Windows PC: the Win32 subset over a machine directory (machine.h). Files live in
// the drives' host folders, the registry in the machine's .reg hives, devices are driver
// libraries (or objects registered by tests), libraries are shared objects opened with dlopen,
// and processes are the host programs behind the machine's launcher scripts. Each call follows
// the documented Win32 behaviour: return values, GetLastError codes, buffer rules.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/sim/device.h"
#include "platform/sim/machine.h"
#include "platform/sim/registry_hives.h"
#include "platform/system.h"

namespace winsim {

class SimSystem : public win::ISystem {
  public:
    explicit SimSystem(Machine machine);
    ~SimSystem() override;
    SimSystem(const SimSystem&) = delete;
    SimSystem& operator=(const SimSystem&) = delete;

    const Machine& GetMachine() const { return machine_; }
    const RegistryHives& Hives() const { return hives_; }

    // The machine path of the running program (GetModuleFileNameA(NULL), the first folder
    // LoadLibraryA searches). Default "C:\Program Files\Halvern\program.exe".
    void SetProgramPath(std::string windowsPath) { programPath_ = std::move(windowsPath); }
    const std::string& ProgramPath() const { return programPath_; }

    // The current folder (a Windows path) for relative paths. Default "C:\".
    void SetCurrentDirectory(std::string windowsPath);
    const std::string& CurrentDirectory() const { return currentDir_; }

    // Registers an in-process device under a name (case-insensitive), found before the
    // machine's devices. With a family, it opens only on machines of that family.
    void RegisterDevice(std::string name, std::shared_ptr<IDevice> device,
                        std::optional<Family> family = std::nullopt);

    // Files
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

    // Version
    win::BOOL GetVersionExA(win::OSVERSIONINFOA* info) override;

    // Registry
    win::LONG RegOpenKeyA(win::HKEY key, win::LPCSTR subKey, win::HKEY* result) override;
    win::LONG RegCreateKeyA(win::HKEY key, win::LPCSTR subKey, win::HKEY* result) override;
    win::LONG RegQueryValueExA(win::HKEY key, win::LPCSTR name, win::LPDWORD reserved,
                               win::LPDWORD type, win::LPBYTE data, win::LPDWORD size) override;
    win::LONG RegSetValueExA(win::HKEY key, win::LPCSTR name, win::DWORD reserved,
                             win::DWORD type, const win::BYTE* data, win::DWORD size) override;
    win::LONG RegDeleteValueA(win::HKEY key, win::LPCSTR name) override;
    win::LONG RegCloseKey(win::HKEY key) override;

    // Devices
    win::HANDLE CreateFileA(win::LPCSTR name, win::DWORD access, win::DWORD share,
                            win::SECURITY_ATTRIBUTES* security, win::DWORD disposition,
                            win::DWORD flags, win::HANDLE templateFile) override;
    win::BOOL DeviceIoControl(win::HANDLE device, win::DWORD code, win::LPVOID in,
                              win::DWORD inSize, win::LPVOID out, win::DWORD outSize,
                              win::LPDWORD bytesReturned, win::OVERLAPPED* overlapped) override;
    win::BOOL CloseHandle(win::HANDLE handle) override;

    // Libraries
    win::HMODULE GetModuleHandleA(win::LPCSTR name) override;
    win::HMODULE LoadLibraryA(win::LPCSTR name) override;
    win::FARPROC GetProcAddress(win::HMODULE module, win::LPCSTR name) override;
    win::BOOL FreeLibrary(win::HMODULE module) override;
    win::DWORD GetModuleFileNameA(win::HMODULE module, win::LPSTR buffer,
                                  win::DWORD size) override;

    // Processes
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

    // Time
    void GetSystemTime(win::SYSTEMTIME* time) override;
    win::DWORD GetTickCount() override;
    void Sleep(win::DWORD milliseconds) override;

  private:
    struct OpenFile {
        int fd = -1;
        bool canRead = false;
        bool canWrite = false;
    };
    struct FindState {
        std::vector<win::WIN32_FIND_DATAA> entries;
        std::size_t next = 0;
    };
    struct OpenDevice {
        std::string name;
        std::string lockName;
        std::shared_ptr<IDevice> device;
    };
    struct Child {
        int pid = 0;
        bool exited = false;
        win::DWORD exitCode = 0;
    };
    struct ChildHandle {
        std::shared_ptr<Child> child;
    };
    using Object = std::variant<OpenFile, FindState, OpenDevice, ChildHandle>;

    struct RegisteredDevice {
        std::shared_ptr<IDevice> device;
        std::optional<Family> family;
    };
    struct OpenKey {
        Hive hive = Hive::LocalMachine;
        std::vector<std::string> path;
    };
    struct Module {
        void* library = nullptr;
        std::string machinePath;
        std::string baseName;
        int references = 0;
    };
    // What a program name on a command line resolves to.
    struct Program {
        std::string machinePath;
        std::string hostPath;
    };

    win::HANDLE AddObject(Object object);
    Object* FindObject(win::HANDLE handle);
    OpenFile* FindFile(win::HFILE file);
    win::DWORD ResolvePath(win::LPCSTR path, HostPath& out, bool allowWildcardLeaf = false) const;
    win::HFILE OpenHost(const HostPath& where, int flags, bool canRead, bool canWrite);

    bool KeyOf(win::HKEY key, OpenKey& out) const;
    win::HKEY AddKey(OpenKey key);
    win::LONG OpenOrCreateKey(win::HKEY key, win::LPCSTR subKey, win::HKEY* result, bool create);

    std::shared_ptr<IDevice> DriverFor(const std::string& name, win::DWORD& error);
    std::string FindLibrary(const std::string& name, std::string& machinePath) const;

    win::DWORD FindProgram(const std::string& name, Program& out) const;
    win::DWORD StartProgram(win::LPCSTR application, win::LPCSTR commandLine,
                            win::LPCSTR currentDirectory, bool detached, int& pid);
    bool Poll(Child& child, bool block);
    void ReapOrphans();

    Machine machine_;
    RegistryHives hives_;
    std::string programPath_ = "C:\\Program Files\\Halvern\\program.exe";
    std::string currentDir_ = "C:\\";
    std::map<std::intptr_t, Object> objects_;
    std::intptr_t nextHandle_ = 4;
    std::map<std::uintptr_t, OpenKey> keys_;
    std::uintptr_t nextKey_ = 0x100;
    std::map<std::string, RegisteredDevice> registeredDevices_;  // lower-case names
    std::map<std::string, std::shared_ptr<IDevice>> drivers_;   // by library path, loaded once
    std::map<win::HMODULE, Module> modules_;
    std::vector<std::shared_ptr<Child>> orphans_;  // closed while running: reaped later
};

}  // namespace winsim
