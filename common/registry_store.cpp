#include "common/registry_store.h"

#include <algorithm>

#include "common/registry_keys.h"
#include "platform/win32_api.h"

namespace halvern {

bool CRegistryStore::ReadValue(win::HKEY root, const char* subKey, const char* name, void* buffer,
                               win::DWORD size) {
    return Read(root, subKey, name, buffer, std::min(kReadCapacity, size));
}

bool CRegistryStore::WriteBinaryValue(win::HKEY root, const char* subKey, const char* name,
                                      const void* data, win::DWORD size) {
    return Write(root, subKey, name, win::REG_BINARY, data, size);
}

bool CRegistryStore::WriteStringValue(win::HKEY root, const char* subKey, const char* name,
                                      const char* text, win::DWORD size) {
    return Write(root, subKey, name, win::REG_SZ, text, size);
}

bool CRegistryStore::ReadLegacyValue(const char* name, void* buffer, win::DWORD size) {
    return Read(win::HKEY_LOCAL_MACHINE, kVxdKey, name, buffer,
                std::min(kLegacyReadCapacity, size));
}

bool CRegistryStore::WriteLegacyBinaryValue(const char* name, const void* data, win::DWORD size) {
    return WriteBinaryValue(win::HKEY_LOCAL_MACHINE, kVxdKey, name, data, size);
}

bool CRegistryStore::Read(win::HKEY root, const char* subKey, const char* name, void* buffer,
                          win::DWORD capacity) {
    win::HKEY key = nullptr;
    if (win::RegOpenKeyA(root, subKey, &key) != static_cast<win::LONG>(win::ERROR_SUCCESS)) {
        return false;
    }
    win::DWORD type = 0;
    win::DWORD size = capacity;
    const win::LONG status =
        win::RegQueryValueExA(key, name, nullptr, &type, static_cast<win::BYTE*>(buffer), &size);
    win::RegCloseKey(key);
    return status == static_cast<win::LONG>(win::ERROR_SUCCESS);
}

bool CRegistryStore::Write(win::HKEY root, const char* subKey, const char* name, win::DWORD type,
                           const void* data, win::DWORD size) {
    win::HKEY key = nullptr;
    if (win::RegCreateKeyA(root, subKey, &key) != static_cast<win::LONG>(win::ERROR_SUCCESS)) {
        return false;
    }
    const win::LONG status =
        win::RegSetValueExA(key, name, 0, type, static_cast<const win::BYTE*>(data), size);
    win::RegCloseKey(key);
    return status == static_cast<win::LONG>(win::ERROR_SUCCESS);
}

}  // namespace halvern
