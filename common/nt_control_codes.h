// Every control code of the NT protection driver \\.\Halvgate, and the buffers it takes. This
// header is the one declaration shared by the programs and the simulated driver. Codes are
// fixed by the driver: never renumber one, never reuse a retired function number.
#pragma once

#include <cstddef>

#include "platform/win32_types.h"

namespace halvern {

constexpr const char* kHalvgateDeviceName = "Halvgate";
constexpr const char* kHalvgateDevicePath = "\\\\.\\Halvgate";
constexpr win::DWORD kHalvgateDeviceType = 0x8889;  // a vendor device type

constexpr win::DWORD HalvgateControlCode(win::DWORD function) {
    return win::CTL_CODE(kHalvgateDeviceType, function, win::METHOD_BUFFERED, win::FILE_ANY_ACCESS);
}

constexpr win::DWORD IOCTL_HALVGATE_RELOAD_CONFIG = HalvgateControlCode(0x11);
constexpr win::DWORD IOCTL_HALVGATE_PROTECTION_ON = HalvgateControlCode(0x12);
constexpr win::DWORD IOCTL_HALVGATE_PROTECTION_OFF = HalvgateControlCode(0x13);
constexpr win::DWORD IOCTL_HALVGATE_STATUS_ACTIVE = HalvgateControlCode(0x14);
constexpr win::DWORD IOCTL_HALVGATE_LOGIN_ONLY = HalvgateControlCode(0x15);
constexpr win::DWORD IOCTL_HALVGATE_QUERY_INSTANCE = HalvgateControlCode(0x18);
constexpr win::DWORD IOCTL_HALVGATE_LOADER_COPY = HalvgateControlCode(0x1B);
constexpr win::DWORD IOCTL_HALVGATE_LOADER_START = HalvgateControlCode(0x1C);
constexpr win::DWORD IOCTL_HALVGATE_LOADER_QUERY = HalvgateControlCode(0x1D);
constexpr win::DWORD IOCTL_HALVGATE_ANSWER_REQUEST = HalvgateControlCode(0x21);
constexpr win::DWORD IOCTL_HALVGATE_GET_REQUEST = HalvgateControlCode(0x24);

// Commands and queries carry a command buffer whose content the driver does not read.
constexpr std::size_t kCommandBufferSize = 300;
// The answer of a query: one little-endian 32-bit value.
constexpr std::size_t kQueryReplySize = 4;
// The input of IOCTL_HALVGATE_GET_REQUEST: the slot number, little-endian 32-bit.
constexpr std::size_t kSlotNumberSize = 4;

// What each code takes: the input and output sizes the driver requires (0: no buffer).
struct NtControlCode {
    win::DWORD code;
    const char* name;
    std::size_t inSize;
    std::size_t outSize;
};

// The request record is declared in common/request_record.h; its size is repeated here only so
// that this table stays free of other headers, and the two are checked against each other there.
constexpr std::size_t kRequestRecordBytes = 296;

constexpr NtControlCode kNtControlCodes[] = {
    {IOCTL_HALVGATE_RELOAD_CONFIG, "IOCTL_HALVGATE_RELOAD_CONFIG", kCommandBufferSize, 0},
    {IOCTL_HALVGATE_PROTECTION_ON, "IOCTL_HALVGATE_PROTECTION_ON", kCommandBufferSize, 0},
    {IOCTL_HALVGATE_PROTECTION_OFF, "IOCTL_HALVGATE_PROTECTION_OFF", kCommandBufferSize, 0},
    {IOCTL_HALVGATE_STATUS_ACTIVE, "IOCTL_HALVGATE_STATUS_ACTIVE", kCommandBufferSize, 0},
    {IOCTL_HALVGATE_LOGIN_ONLY, "IOCTL_HALVGATE_LOGIN_ONLY", kCommandBufferSize, 0},
    {IOCTL_HALVGATE_QUERY_INSTANCE, "IOCTL_HALVGATE_QUERY_INSTANCE", kCommandBufferSize,
     kQueryReplySize},
    {IOCTL_HALVGATE_LOADER_COPY, "IOCTL_HALVGATE_LOADER_COPY", kCommandBufferSize, 0},
    {IOCTL_HALVGATE_LOADER_START, "IOCTL_HALVGATE_LOADER_START", kCommandBufferSize, 0},
    {IOCTL_HALVGATE_LOADER_QUERY, "IOCTL_HALVGATE_LOADER_QUERY", kCommandBufferSize,
     kQueryReplySize},
    {IOCTL_HALVGATE_ANSWER_REQUEST, "IOCTL_HALVGATE_ANSWER_REQUEST", kRequestRecordBytes, 0},
    {IOCTL_HALVGATE_GET_REQUEST, "IOCTL_HALVGATE_GET_REQUEST", kSlotNumberSize,
     kRequestRecordBytes},
};

// The table entry of a code, or nullptr for a code the driver does not know.
constexpr const NtControlCode* FindNtControlCode(win::DWORD code) {
    for (const NtControlCode& entry : kNtControlCodes) {
        if (entry.code == code) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace halvern
