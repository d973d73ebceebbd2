// Loaded by the library and device tests: two exports and a driver entry point that echoes.
#include <cstring>

#include "platform/sim/device_abi.h"

extern "C" {

__attribute__((visibility("default"))) int HalvernTestAdd(int a, int b) {
    return a + b;
}

// Code 1 echoes the input into the output; code 2 fails with error 1234; others fail with 50.
__attribute__((visibility("default"))) int HalvernDeviceControl(HalvernDeviceCall* call) {
    static unsigned calls = 0;
    ++calls;
    if (call->code == 1) {
        const std::uint32_t n = call->inSize < call->outSize ? call->inSize : call->outSize;
        if (n != 0) {
            std::memcpy(call->out, call->in, n);
        }
        call->bytesReturned = n;
        return 1;
    }
    if (call->code == 3 && call->outSize >= 4) {  // how many calls this process made
        std::memcpy(call->out, &calls, 4);
        call->bytesReturned = 4;
        return 1;
    }
    call->error = call->code == 2 ? 1234 : 50;
    return 0;
}
}
