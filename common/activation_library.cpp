#include "common/activation_library.h"

#include "platform/win32_api.h"

namespace halvern {
namespace {

// The library exports plain C functions with the platform's default calling convention.
using VoidFn = void (*)();
using SetIdleTimeFn = void (*)(std::uint32_t, std::uint32_t);
using GetQuitFn = void (*)(std::uint32_t*);

win::FARPROC Export(const char* name) {
    win::HMODULE module = win::GetModuleHandleA(CActivationLibrary::kLibraryName);
    if (module == nullptr) {
        module = win::LoadLibraryA(CActivationLibrary::kLibraryName);
    }
    if (module == nullptr) {
        return nullptr;
    }
    return win::GetProcAddress(module, name);
}

// An export's address converted to its real type, as a Win32 program casts GetProcAddress.
template <class Fn>
Fn ExportAs(const char* name) {
    return reinterpret_cast<Fn>(Export(name));
}

}  // namespace

bool CActivationLibrary::RefreshSettings() {
    auto fn = ExportAs<VoidFn>("RefreshSettings");
    if (fn == nullptr) {
        return false;
    }
    fn();
    return true;
}

bool CActivationLibrary::SetIdleTime(std::uint32_t idleActivation, std::uint32_t idleSeconds) {
    auto fn = ExportAs<SetIdleTimeFn>("SetIdleTime");
    if (fn == nullptr) {
        return false;
    }
    fn(idleActivation, idleSeconds);
    return true;
}

bool CActivationLibrary::StartRun() {
    auto fn = ExportAs<VoidFn>("StartRun");
    if (fn == nullptr) {
        return false;
    }
    fn();
    return true;
}

bool CActivationLibrary::GetQuit(std::uint32_t& quit) {
    auto fn = ExportAs<GetQuitFn>("GetQuit");
    if (fn == nullptr) {
        return false;
    }
    fn(&quit);
    return true;
}

bool CActivationLibrary::EndRun() {
    auto fn = ExportAs<VoidFn>("EndRun");
    if (fn == nullptr) {
        return false;
    }
    fn();
    return true;
}

}  // namespace halvern
