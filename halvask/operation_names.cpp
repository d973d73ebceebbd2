#include "halvask/operation_names.h"

#include <array>

namespace halvern {

namespace {

constexpr const char* kUnknown = "Unknown";

// Names by major function code; null where the kind decides.
constexpr std::array<const char*, 24> kByCode = {
    nullptr,                     // 0: create, by kind
    "Create Named Pipe",         // 1
    "Close",                     // 2
    "Read",                      // 3
    "Write",                     // 4
    "Query Information",         // 5
    nullptr,                     // 6: set information, by kind
    "Query EA",                  // 7
    "Set EA",                    // 8
    "Flush Buffers",             // 9
    "Query Volume Information",  // 10
    "Set Volume Information",    // 11
    nullptr,                     // 12: directory control, by kind
    "File System Control",       // 13
    "Device Control",            // 14
    "Internal Device Control",   // 15
    "Shutdown",                  // 16
    "Lock Control",              // 17
    "Cleanup",                   // 18
    "Create Mail Slot",          // 19
    "Query Security",            // 20
    "Set Security",              // 21
    "Set Power",                 // 22
    "Query Power",               // 23
};

const char* CreateName(std::uint8_t kind) {
    switch (kind) {
        case 1:
            return "Create";
        case 2:
            return "Open";
        case 3:
            return "Execute";
        default:
            return kUnknown;
    }
}

const char* SetInformationName(std::uint8_t kind) {
    switch (kind) {
        case 4:
            return "Rename";
        case 5:
            return "Delete";
        case 6:
            return "Set Attribute";
        case 7:
            return "Write Append";
        default:
            return kUnknown;
    }
}

const char* DirectoryControlName(std::uint8_t kind) {
    switch (kind) {
        case 1:
            return "Dir";
        case 2:
            return "Change Directory";
        default:
            return kUnknown;
    }
}

}  // namespace

const char* OperationName(std::uint8_t code, std::uint8_t kind) {
    switch (code) {
        case 0:
            return CreateName(kind);
        case 6:
            return SetInformationName(kind);
        case 12:
            return DirectoryControlName(kind);
        default:
            return code < kByCode.size() ? kByCode[code] : kUnknown;
    }
}

}  // namespace halvern
