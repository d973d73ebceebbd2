// SimSystem: libraries. LoadLibraryA searches the machine as Windows does (the program's folder,
// the system folder, the Windows folder, the current folder); the file found there, whatever
// its name (zuvud.dll), is a host shared object opened with dlopen.
#include <dlfcn.h>

#include <cstdio>
#include <cstring>

#include "platform/sim/sim_system.h"
#include "platform/sim/text.h"
#include "platform/win32_api.h"

namespace winsim {
namespace {

constexpr win::DWORD kErrorBadExeFormat = 193;

// Windows adds ".dll" to a name without an extension; a trailing dot means "no extension".
std::string WithLibraryExtension(std::string name) {
    const std::size_t slash = name.find_last_of("\\/");
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return name + ".dll";
    }
    if (dot + 1 == name.size()) {
        name.pop_back();
    }
    return name;
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The process's own module, as GetModuleHandleA(NULL) gives it.
win::HMODULE SelfModule() {
    static void* const self = ::dlopen(nullptr, RTLD_NOW);
    return static_cast<win::HMODULE>(self);
}

}  // namespace

std::string SimSystem::FindLibrary(const std::string& name, std::string& machinePath) const {
    const std::string file = WithLibraryExtension(name);
    std::vector<std::string> candidates;
    if (file.find_first_of(":\\/") != std::string::npos) {
        candidates.push_back(file);
    } else {
        for (const std::string& folder :
             {WindowsFolderOf(programPath_), machine_.Settings().systemDir, machine_.Settings().windowsDir,
              currentDir_}) {
            if (!folder.empty()) {
                candidates.push_back(JoinWindowsPath(folder, file));
            }
        }
    }
    for (const std::string& candidate : candidates) {
        HostPath where;
        if (machine_.Resolve(candidate, currentDir_, where) == win::ERROR_SUCCESS && where.exists &&
            !where.isDirectory) {
            std::string normal;
            Machine::Normalize(candidate, currentDir_, normal);
            machinePath = JoinWindowsPath(WindowsFolderOf(normal), where.leafName);
            return where.path.string();
        }
    }
    return {};
}

win::HMODULE SimSystem::LoadLibraryA(win::LPCSTR name) {
    if (name == nullptr || *name == '\0') {
        win::SetLastError(win::ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::string machinePath;
    const std::string hostPath = FindLibrary(name, machinePath);
    if (hostPath.empty()) {
        win::SetLastError(win::ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    void* library = ::dlopen(hostPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::fprintf(stderr, "halvern: %s (%s) is not a loadable library: %s\n",
                     machinePath.c_str(), hostPath.c_str(), ::dlerror());
        win::SetLastError(kErrorBadExeFormat);
        return nullptr;
    }
    const auto handle = static_cast<win::HMODULE>(library);
    Module& module = modules_[handle];
    if (module.references > 0) {
        ::dlclose(library);  // dlopen counted it again; one reference per Module is enough
    } else {
        module.library = library;
        module.machinePath = machinePath;
        module.baseName = BaseName(machinePath);
    }
    ++module.references;
    return handle;
}

win::HMODULE SimSystem::GetModuleHandleA(win::LPCSTR name) {
    if (name == nullptr) {
        return SelfModule();
    }
    const std::string wanted = BaseName(WithLibraryExtension(name));
    for (const auto& [handle, module] : modules_) {
        if (EqualsNoCase(module.baseName, wanted)) {
            return handle;
        }
    }
    win::SetLastError(win::ERROR_MOD_NOT_FOUND);
    return nullptr;
}

win::FARPROC SimSystem::GetProcAddress(win::HMODULE module, win::LPCSTR name) {
    if (module != SelfModule() && modules_.find(module) == modules_.end()) {
        win::SetLastError(win::ERROR_INVALID_HANDLE);
        return nullptr;
    }
    // A name below 0x10000 is an ordinal; shared objects have none.
    if (name == nullptr || reinterpret_cast<std::uintptr_t>(name) < 0x10000) {
        win::SetLastError(win::ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    void* symbol = ::dlsym(module, name);
    if (symbol == nullptr) {
        win::SetLastError(win::ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<win::FARPROC>(symbol);
}

win::BOOL SimSystem::FreeLibrary(win::HMODULE module) {
    const auto it = modules_.find(module);
    if (it == modules_.end()) {
        win::SetLastError(win::ERROR_INVALID_HANDLE);
        return win::FALSE;
    }
    if (--it->second.references == 0) {
        ::dlclose(it->second.library);
        modules_.erase(it);
    }
    return win::TRUE;
}

win::DWORD SimSystem::GetModuleFileNameA(win::HMODULE module, win::LPSTR buffer,
                                         win::DWORD size) {
    std::string path;
    if (module == nullptr || module == SelfModule()) {
        path = programPath_;
    } else {
        const auto it = modules_.find(module);
        if (it == modules_.end()) {
            win::SetLastError(win::ERROR_MOD_NOT_FOUND);
            return 0;
        }
        path = it->second.machinePath;
    }
    if (buffer == nullptr || size == 0) {
        win::SetLastError(win::ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() < size) {
        std::memcpy(buffer, path.c_str(), path.size() + 1);
        return static_cast<win::DWORD>(path.size());
    }
    // Too small: as Windows XP and later, the truncated path with a terminator, the size and
    // ERROR_INSUFFICIENT_BUFFER.
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = '\0';
    win::SetLastError(win::ERROR_INSUFFICIENT_BUFFER);
    return size;
}

}  // namespace winsim
