// Every registry access of the suite. Each operation opens the key, makes one access and closes
// the key again; none shows a message. Readers pass a zero-filled variable at least as wide as
// the value, so an absent or unreadable value reads as zero.
#pragma once

#include "platform/win32_types.h"

namespace halvern {

class CRegistryStore {
  public:
    static constexpr win::DWORD kReadCapacity = 250;
    static constexpr win::DWORD kLegacyReadCapacity = 180;

    virtual ~CRegistryStore() = default;

    // Reads at most min(250, size) bytes; a larger value is a failed read. The key is not
    // created.
    bool ReadValue(win::HKEY root, const char* subKey, const char* name, void* buffer,
                   win::DWORD size);
    // Creates the key path when missing, then stores the bytes as REG_BINARY.
    bool WriteBinaryValue(win::HKEY root, const char* subKey, const char* name, const void* data,
                          win::DWORD size);
    // As WriteBinaryValue with REG_SZ; callers pass the length plus one to store the terminator.
    bool WriteStringValue(win::HKEY root, const char* subKey, const char* name, const char* text,
                          win::DWORD size);
    // The VxD key under HKEY_LOCAL_MACHINE, with a capacity of min(180, size).
    bool ReadLegacyValue(const char* name, void* buffer, win::DWORD size);
    bool WriteLegacyBinaryValue(const char* name, const void* data, win::DWORD size);

  private:
    bool Read(win::HKEY root, const char* subKey, const char* name, void* buffer,
              win::DWORD capacity);
    bool Write(win::HKEY root, const char* subKey, const char* name, win::DWORD type,
               const void* data, win::DWORD size);
};

}  // namespace halvern
