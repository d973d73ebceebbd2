// The entry point a simulated driver library exports. The simulated PC loads the library named
// in the machine's settings for a device, and runs each DeviceIoControl through it in the
// calling process, holding the device's lock in the machine so that every program sees one
// driver state.
#pragma once

#include <cstdint>

extern "C" {

struct HalvernDeviceCall {
    const char* machineDir;   // host path of the machine directory
    std::uint32_t processId;  // the calling process
    std::uint32_t code;       // the control code
    const void* in;
    std::uint32_t inSize;
    void* out;
    std::uint32_t outSize;
    std::uint32_t bytesReturned;  // out: bytes written to `out` on success
    std::uint32_t error;          // out: the Win32 error when the call fails
};

// Exported as "HalvernDeviceControl": returns 1 on success, 0 on failure (with `error` set).
using HalvernDeviceControlFn = int (*)(HalvernDeviceCall* call);
constexpr const char* kHalvernDeviceControlExport = "HalvernDeviceControl";
}
