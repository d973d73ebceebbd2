// The entry point the simulated PC calls for every DeviceIoControl on \\.\Halvgate.
#include "platform/sim/device_abi.h"
#include "sim/drivers/nt/nt_driver.h"

extern "C" __attribute__((visibility("default"))) int HalvernDeviceControl(
    HalvernDeviceCall* call) {
    if (call == nullptr) {
        return 0;
    }
    return simnt::NtDriver::Control(*call) ? 1 : 0;
}
