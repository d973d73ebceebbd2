// A simulated driver behind a device name. Drivers built as shared libraries export
// HalvernDeviceControl (device_abi.h); tests may register an object of their own instead.
#pragma once

#include "platform/sim/device_abi.h"

namespace winsim {

class IDevice {
  public:
    virtual ~IDevice() = default;
    // Handles one DeviceIoControl. Same contract as HalvernDeviceControl: true on success with
    // call.bytesReturned set, false with call.error set.
    virtual bool Control(HalvernDeviceCall& call) = 0;
};

}  // namespace winsim
