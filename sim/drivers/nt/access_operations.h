// The operations a program of the machine can attempt on a file, as the machine tool's access
// command names them: each is one file-system request (major function code and the driver's
// kind, as the request record carries them) and the item right that restricts it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace simnt {

struct AccessOperation {
    const char* name;        // as typed, lower case: "read"
    std::uint8_t code;       // request record offset 12
    std::uint8_t kind;       // request record offset 13
    std::uint32_t rightBit;  // the item mask bit that restricts it; 0 when no right covers it
    const char* rightName;   // the right as the protected items window names it
};

std::span<const AccessOperation> AccessOperations();
// The operation of that name, compared without regard to case; nullptr when there is none.
const AccessOperation* FindAccessOperation(std::string_view name);

}  // namespace simnt
