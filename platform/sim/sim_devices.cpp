// SimSystem: CreateFileA on devices (\\.\NAME) and files, and DeviceIoControl. A device opens when
// a test registered it in this process or when the machine lists it ("loaded") for the machine's
// family; its driver library is opened once per process and each request runs under an flock()
// of the device's lock file in the machine, so that every program sees one driver state.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <set>
#include <system_error>

#include "platform/sim/host_error.h"
#include "platform/sim/host_file.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/text.h"
#include "platform/win32_api.h"

namespace winsim {
namespace {

constexpr std::string_view kDevicePrefix = "\\\\.\\";
constexpr win::DWORD kTruncateExisting = 5;

// A driver library's HalvernDeviceControl behind the IDevice interface.
class LibraryDevice : public IDevice {
  public:
    LibraryDevice(void* library, HalvernDeviceControlFn control)
        : library_(library), control_(control) {}
    ~LibraryDevice() override { ::dlclose(library_); }
    LibraryDevice(const LibraryDevice&) = delete;
    LibraryDevice& operator=(const LibraryDevice&) = delete;

    bool Control(HalvernDeviceCall& call) override { return control_(&call) != 0; }

  private:
    void* library_;
    HalvernDeviceControlFn control_;
};

void ReportOnce(const std::string& message) {
    static std::set<std::string> reported;
    if (reported.insert(message).second) {
        std::fprintf(stderr, "halvern: %s\n", message.c_str());
    }
}

win::HANDLE FailHandle(win::DWORD error) {
    win::SetLastError(error);
    return win::INVALID_HANDLE_VALUE;
}

}  // namespace

std::shared_ptr<IDevice> SimSystem::DriverFor(const std::string& name, win::DWORD& error) {
    const DeviceSettings* settings = machine_.Settings().FindDevice(name);
    if (settings == nullptr) {
        error = win::ERROR_FILE_NOT_FOUND;
        return nullptr;
    }
    const auto cached = drivers_.find(settings->library);
    if (cached != drivers_.end()) {
        return cached->second;
    }
    void* library = ::dlopen(settings->library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        ReportOnce("the driver of device " + name + " cannot be loaded: " + ::dlerror());
        error = win::ERROR_FILE_NOT_FOUND;
        return nullptr;
    }
    void* symbol = ::dlsym(library, kHalvernDeviceControlExport);
    if (symbol == nullptr) {
        ReportOnce("the driver " + settings->library + " of device " + name + " does not export " +
                   kHalvernDeviceControlExport);
        ::dlclose(library);
        error = win::ERROR_FILE_NOT_FOUND;
        return nullptr;
    }
    auto device =
        std::make_shared<LibraryDevice>(library, reinterpret_cast<HalvernDeviceControlFn>(symbol));
    drivers_.emplace(settings->library, device);
    return device;
}

win::HANDLE SimSystem::CreateFileA(win::LPCSTR name, win::DWORD access, win::DWORD /*share*/,
                                   win::SECURITY_ATTRIBUTES* /*security*/,
                                   win::DWORD disposition, win::DWORD /*flags*/,
                                   win::HANDLE /*templateFile*/) {
    if (name == nullptr) {
        return FailHandle(win::ERROR_INVALID_PARAMETER);
    }
    const std::string_view text(name);
    const Family family = machine_.Settings().family;
    if (text.substr(0, kDevicePrefix.size()) == kDevicePrefix) {
        const std::string deviceName(text.substr(kDevicePrefix.size()));
        // NT checks the creation disposition; a 9x VxD open passes 0 and FILE_FLAG_DELETE_ON_CLOSE.
        if (family == Family::Nt && (disposition < win::CREATE_NEW || disposition > kTruncateExisting)) {
            return FailHandle(win::ERROR_INVALID_PARAMETER);
        }
        std::shared_ptr<IDevice> device;
        const auto registered = registeredDevices_.find(ToLower(deviceName));
        if (registered != registeredDevices_.end()) {
            if (registered->second.family && *registered->second.family != family) {
                return FailHandle(win::ERROR_FILE_NOT_FOUND);
            }
            device = registered->second.device;
        } else {
            const DeviceSettings* settings = machine_.Settings().FindDevice(deviceName);
            if (settings == nullptr || settings->family != family) {
                return FailHandle(win::ERROR_FILE_NOT_FOUND);
            }
            win::DWORD error = win::ERROR_SUCCESS;
            device = DriverFor(deviceName, error);
            if (device == nullptr) {
                return FailHandle(error);
            }
        }
        return AddObject(OpenDevice{deviceName, ToLower(deviceName), std::move(device)});
    }

    // A file of the machine.
    HostPath where;
    const win::DWORD error = ResolvePath(name, where);
    if (error != win::ERROR_SUCCESS) {
        return FailHandle(error);
    }
    if (where.isDirectory) {
        return FailHandle(win::ERROR_ACCESS_DENIED);
    }
    const bool canRead = (access & win::GENERIC_READ) != 0;
    const bool canWrite = (access & win::GENERIC_WRITE) != 0;
    int flags = canRead && canWrite ? O_RDWR : (canWrite ? O_WRONLY : O_RDONLY);
    switch (disposition) {
        case win::CREATE_NEW:
            if (where.exists) {
                return FailHandle(win::ERROR_FILE_EXISTS);
            }
            flags |= O_CREAT | O_EXCL;
            break;
        case win::CREATE_ALWAYS:
            flags |= O_CREAT | O_TRUNC;
            break;
        case win::OPEN_EXISTING:
            break;
        case win::OPEN_ALWAYS:
            flags |= O_CREAT;
            break;
        case kTruncateExisting:
            flags |= O_TRUNC;
            break;
        default:
            return FailHandle(win::ERROR_INVALID_PARAMETER);
    }
    if (!where.exists && (disposition == win::OPEN_EXISTING || disposition == kTruncateExisting)) {
        return FailHandle(win::ERROR_FILE_NOT_FOUND);
    }
    const int fd = ::open(where.path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) {
        return FailHandle(Win32ErrorOf(errno));
    }
    // CREATE_ALWAYS and OPEN_ALWAYS on an existing file succeed and say so.
    win::SetLastError(where.exists && (disposition == win::CREATE_ALWAYS ||
                                       disposition == win::OPEN_ALWAYS)
                          ? win::ERROR_ALREADY_EXISTS
                          : win::ERROR_SUCCESS);
    return AddObject(OpenFile{fd, canRead, canWrite});
}

win::BOOL SimSystem::DeviceIoControl(win::HANDLE device, win::DWORD code, win::LPVOID in,
                                     win::DWORD inSize, win::LPVOID out, win::DWORD outSize,
                                     win::LPDWORD bytesReturned, win::OVERLAPPED* /*overlapped*/) {
    Object* object = FindObject(device);
    auto* open = object == nullptr ? nullptr : std::get_if<OpenDevice>(object);
    if (open == nullptr) {
        win::SetLastError(win::ERROR_INVALID_HANDLE);
        return win::FALSE;
    }
    std::error_code ec;
    std::filesystem::create_directories(machine_.DeviceDirectory(), ec);
    const std::string machineDir = machine_.Directory().string();
    HalvernDeviceCall call{};
    call.machineDir = machineDir.c_str();
    call.processId = static_cast<std::uint32_t>(::getpid());
    call.code = code;
    call.in = in;
    call.inSize = in == nullptr ? 0 : inSize;
    call.out = out;
    call.outSize = out == nullptr ? 0 : outSize;
    bool ok = false;
    {
        FileLock lock(machine_.DeviceDirectory() / (open->lockName + ".lock"),
                      FileLock::Mode::Exclusive);
        ok = open->device->Control(call);
    }
    if (!ok) {
        win::SetLastError(call.error != 0 ? call.error : win::ERROR_GEN_FAILURE);
        return win::FALSE;  // *bytesReturned stays as it was
    }
    if (bytesReturned != nullptr) {
        *bytesReturned = call.bytesReturned <= call.outSize ? call.bytesReturned : call.outSize;
    }
    return win::TRUE;
}

}  // namespace winsim
