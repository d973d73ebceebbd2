// SimSystem: the registry calls over the machine's .reg hives (registry_hives.h). A key handle
// holds the hive and the path of the key; every call reads the hive afresh, so programs sharing
// the machine see each other's changes at once.
#include <cstring>

#include "platform/sim/sim_system.h"
#include "platform/win32_api.h"

namespace winsim {
namespace {

constexpr win::LONG kErrorKeyDeleted = 1018;

// Splits a subkey path. A leading backslash is ERROR_BAD_PATHNAME, as an empty name inside.
win::LONG SplitSubKey(win::LPCSTR subKey, std::vector<std::string>& parts) {
    parts.clear();
    if (subKey == nullptr || *subKey == '\0') {
        return win::ERROR_SUCCESS;
    }
    if (*subKey == '\\') {
        return win::ERROR_BAD_PATHNAME;
    }
    std::string current;
    for (const char* c = subKey;; ++c) {
        if (*c == '\\' || *c == '\0') {
            if (current.empty()) {
                if (*c == '\0') {
                    break;  // one trailing backslash is allowed
                }
                return win::ERROR_BAD_PATHNAME;
            }
            parts.push_back(current);
            current.clear();
            if (*c == '\0') {
                break;
            }
        } else {
            current.push_back(*c);
        }
    }
    return win::ERROR_SUCCESS;
}

// Line breaks cannot be written into a .reg file's names.
bool WritableName(std::string_view name) {
    return name.find_first_of("\r\n") == std::string_view::npos;
}

}  // namespace

bool SimSystem::KeyOf(win::HKEY key, OpenKey& out) const {
    if (key == win::HKEY_LOCAL_MACHINE) {
        out = OpenKey{Hive::LocalMachine, {}};
        return true;
    }
    if (key == win::HKEY_CLASSES_ROOT) {
        out = OpenKey{Hive::ClassesRoot, {}};
        return true;
    }
    const auto it = keys_.find(reinterpret_cast<std::uintptr_t>(key));
    if (it == keys_.end()) {
        return false;
    }
    out = it->second;
    return true;
}

win::HKEY SimSystem::AddKey(OpenKey key) {
    const std::uintptr_t value = nextKey_;
    nextKey_ += 4;
    keys_.emplace(value, std::move(key));
    return reinterpret_cast<win::HKEY>(value);
}

win::LONG SimSystem::OpenOrCreateKey(win::HKEY key, win::LPCSTR subKey, win::HKEY* result,
                                     bool create) {
    if (result == nullptr) {
        return win::ERROR_INVALID_PARAMETER;
    }
    OpenKey base;
    if (!KeyOf(key, base)) {
        return win::ERROR_INVALID_HANDLE;
    }
    std::vector<std::string> parts;
    const win::LONG split = SplitSubKey(subKey, parts);
    if (split != win::ERROR_SUCCESS) {
        return split;
    }
    if (parts.empty() && base.path.empty()) {
        *result = key;  // the predefined key itself
        return win::ERROR_SUCCESS;
    }
    OpenKey target = base;
    target.path.insert(target.path.end(), parts.begin(), parts.end());
    win::DWORD status = win::ERROR_SUCCESS;
    if (create) {
        for (const std::string& part : parts) {
            if (!WritableName(part)) {
                return win::ERROR_INVALID_PARAMETER;
            }
        }
        status = hives_.Update(base.hive, [&](RegKey& root, bool& changed) -> win::DWORD {
            RegKey* at = root.Find(base.path);
            if (at == nullptr) {
                return static_cast<win::DWORD>(kErrorKeyDeleted);
            }
            for (const std::string& part : parts) {
                if (at->FindChild(part) == nullptr) {
                    changed = true;
                }
                at = &at->CreateChild(part);
            }
            return win::ERROR_SUCCESS;
        });
    } else {
        RegKey root;
        status = hives_.Read(base.hive, root);
        if (status == win::ERROR_SUCCESS && root.Find(target.path) == nullptr) {
            status = win::ERROR_FILE_NOT_FOUND;
        }
    }
    if (status != win::ERROR_SUCCESS) {
        return static_cast<win::LONG>(status);
    }
    *result = AddKey(std::move(target));
    return win::ERROR_SUCCESS;
}

win::LONG SimSystem::RegOpenKeyA(win::HKEY key, win::LPCSTR subKey, win::HKEY* result) {
    return OpenOrCreateKey(key, subKey, result, false);
}

win::LONG SimSystem::RegCreateKeyA(win::HKEY key, win::LPCSTR subKey, win::HKEY* result) {
    return OpenOrCreateKey(key, subKey, result, true);
}

win::LONG SimSystem::RegQueryValueExA(win::HKEY key, win::LPCSTR name, win::LPDWORD reserved,
                                      win::LPDWORD type, win::LPBYTE data, win::LPDWORD size) {
    OpenKey open;
    if (!KeyOf(key, open)) {
        return win::ERROR_INVALID_HANDLE;
    }
    if (reserved != nullptr || (data != nullptr && size == nullptr)) {
        return win::ERROR_INVALID_PARAMETER;
    }
    RegKey root;
    const win::DWORD status = hives_.Read(open.hive, root);
    if (status != win::ERROR_SUCCESS) {
        return static_cast<win::LONG>(status);
    }
    const RegKey* at = root.Find(open.path);
    if (at == nullptr) {
        return kErrorKeyDeleted;
    }
    const RegValue* value = at->FindValue(name == nullptr ? "" : name);
    if (value == nullptr) {
        return win::ERROR_FILE_NOT_FOUND;
    }
    if (type != nullptr) {
        *type = value->type;
    }
    const auto stored = static_cast<win::DWORD>(value->data.size());
    if (data == nullptr) {
        if (size != nullptr) {
            *size = stored;
        }
        return win::ERROR_SUCCESS;
    }
    if (*size < stored) {
        *size = stored;  // the buffer stays as it was
        return win::ERROR_MORE_DATA;
    }
    if (stored != 0) {
        std::memcpy(data, value->data.data(), stored);
    }
    *size = stored;
    return win::ERROR_SUCCESS;
}

win::LONG SimSystem::RegSetValueExA(win::HKEY key, win::LPCSTR name, win::DWORD /*reserved*/,
                                    win::DWORD type, const win::BYTE* data, win::DWORD size) {
    OpenKey open;
    if (!KeyOf(key, open)) {
        return win::ERROR_INVALID_HANDLE;
    }
    if (data == nullptr && size != 0) {
        return win::ERROR_NOACCESS;
    }
    RegValue value;
    value.name = name == nullptr ? "" : name;
    if (!WritableName(value.name)) {
        return win::ERROR_INVALID_PARAMETER;
    }
    value.type = type;
    if (size != 0) {
        value.data.assign(data, data + size);
    }
    return static_cast<win::LONG>(
        hives_.Update(open.hive, [&](RegKey& root, bool& changed) -> win::DWORD {
            RegKey* at = root.Find(open.path);
            if (at == nullptr) {
                return static_cast<win::DWORD>(kErrorKeyDeleted);
            }
            at->SetValue(std::move(value));
            changed = true;
            return win::ERROR_SUCCESS;
        }));
}

win::LONG SimSystem::RegDeleteValueA(win::HKEY key, win::LPCSTR name) {
    OpenKey open;
    if (!KeyOf(key, open)) {
        return win::ERROR_INVALID_HANDLE;
    }
    const std::string valueName = name == nullptr ? "" : name;
    return static_cast<win::LONG>(
        hives_.Update(open.hive, [&](RegKey& root, bool& changed) -> win::DWORD {
            RegKey* at = root.Find(open.path);
            if (at == nullptr) {
                return static_cast<win::DWORD>(kErrorKeyDeleted);
            }
            if (!at->RemoveValue(valueName)) {
                return win::ERROR_FILE_NOT_FOUND;
            }
            changed = true;
            return win::ERROR_SUCCESS;
        }));
}

win::LONG SimSystem::RegCloseKey(win::HKEY key) {
    if (key == win::HKEY_LOCAL_MACHINE || key == win::HKEY_CLASSES_ROOT) {
        return win::ERROR_SUCCESS;
    }
    if (keys_.erase(reinterpret_cast<std::uintptr_t>(key)) == 0) {
        return win::ERROR_INVALID_HANDLE;
    }
    return win::ERROR_SUCCESS;
}

}  // namespace winsim
