#include "common/driver_device.h"

#include <array>
#include <string>
#include <vector>

#include "common/byte_order.h"
#include "common/nt_control_codes.h"
#include "platform/win32_api.h"

namespace halvern {
namespace {

// One control call on an opened handle. DeviceIoControl takes a writable input buffer, so the
// caller's bytes travel in a copy.
bool Control(win::HANDLE device, win::DWORD code, const void* in, win::DWORD inSize, void* out,
             win::DWORD outSize, win::DWORD& returned) {
    std::vector<std::uint8_t> input;
    if (in != nullptr && inSize > 0) {
        const auto* first = static_cast<const std::uint8_t*>(in);
        input.assign(first, first + inSize);
    }
    returned = 0;
    return win::DeviceIoControl(device, code, input.empty() ? nullptr : input.data(), inSize, out,
                                outSize, &returned, nullptr) != win::FALSE;
}

int HalvgateRequest(win::DWORD code, const void* in, win::DWORD inSize, void* out,
                    win::DWORD outSize, win::DWORD& returned) {
    win::HANDLE device =
        win::CreateFileA(kHalvgateDevicePath, win::GENERIC_READ | win::GENERIC_WRITE, 0, nullptr,
                         win::OPEN_EXISTING, win::FILE_ATTRIBUTE_NORMAL, nullptr);
    if (device == win::INVALID_HANDLE_VALUE || device == nullptr) {
        return 0;
    }
    const bool ok = Control(device, code, in, inSize, out, outSize, returned);
    win::CloseHandle(device);
    return ok ? 1 : 0;
}

}  // namespace

int CDriverDevice::SendCommand(win::DWORD code) {
    std::array<std::uint8_t, kCommandBufferSize> command{};
    win::DWORD returned = 0;
    return HalvgateRequest(code, command.data(), kCommandBufferSize, nullptr, 0, returned);
}

int CDriverDevice::SendQuery(win::DWORD code, std::uint32_t& answer) {
    std::array<std::uint8_t, kCommandBufferSize> command{};
    std::array<std::uint8_t, kQueryReplySize> reply{};
    PutU32(reply, 0, answer);
    win::DWORD returned = 0;
    const int ok = HalvgateRequest(code, command.data(), kCommandBufferSize, reply.data(),
                                   kQueryReplySize, returned);
    // A reply shorter than the answer is not trusted: the preset decides, as on a failure.
    if (ok == 0 || returned < kQueryReplySize) {
        return 0;
    }
    answer = GetU32(reply, 0);
    return 1;
}

int CDriverDevice::SendRequest(win::DWORD code, const void* in, win::DWORD inSize) {
    win::DWORD returned = 0;
    return HalvgateRequest(code, in, inSize, nullptr, 0, returned);
}

int CDriverDevice::ExchangeRequest(win::DWORD code, const void* in, win::DWORD inSize, void* out,
                                   win::DWORD outSize) {
    win::DWORD returned = 0;
    return HalvgateRequest(code, in, inSize, out, outSize, returned);
}

win::LONG CDriverDevice::CallDevice(const char* deviceName, win::DWORD code, const void* in,
                                    win::DWORD inSize, void* out, win::DWORD outSize) {
    const std::string path = std::string("\\\\.\\") + deviceName;
    win::HANDLE device = win::CreateFileA(path.c_str(), 0, 0, nullptr, 0, 0, nullptr);
    if (device == win::INVALID_HANDLE_VALUE || device == nullptr) {
        return -1;
    }
    win::DWORD returned = 0;
    const bool ok = Control(device, code, in, inSize, out, outSize, returned);
    win::CloseHandle(device);
    return ok ? static_cast<win::LONG>(returned) : -1;
}

}  // namespace halvern
