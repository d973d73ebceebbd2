// Requests to a protection driver. Each operation opens the device, makes one control call and
// closes it again; no handle outlives an operation. All of them are silent.
#pragma once

#include <cstdint>

#include "platform/win32_types.h"

namespace halvern {

class CDriverDevice {
  public:
    virtual ~CDriverDevice() = default;

    // \\.\Halvgate requests; 1 when the request succeeded, 0 when the device could not be
    // opened or the request failed.
    // A command: 300 zero bytes in, nothing out.
    int SendCommand(win::DWORD code);
    // A query: 300 zero bytes in, a 32-bit answer out. `answer` keeps the caller's preset
    // unless the driver returned all four bytes of it.
    int SendQuery(win::DWORD code, std::uint32_t& answer);
    int SendRequest(win::DWORD code, const void* in, win::DWORD inSize);
    int ExchangeRequest(win::DWORD code, const void* in, win::DWORD inSize, void* out,
                        win::DWORD outSize);

    // Any device by name, opened the Windows 9x way (access, share mode and disposition 0).
    // Returns the number of bytes the driver returned, or -1 when the device could not be
    // opened or the request failed.
    win::LONG CallDevice(const char* deviceName, win::DWORD code, const void* in, win::DWORD inSize,
                         void* out, win::DWORD outSize);
};

}  // namespace halvern
