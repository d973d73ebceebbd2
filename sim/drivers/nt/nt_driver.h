// The simulated NT protection driver behind \\.\Halvgate: one control call at a time, with the
// state of the machine's driver.
#pragma once

#include "platform/sim/device_abi.h"

namespace simnt {

class NtDriver {
  public:
    // Handles one DeviceIoControl; true on success with call.bytesReturned set, false with
    // call.error set, as a driver completes a request.
    static bool Control(HalvernDeviceCall& call);
};

}  // namespace simnt
