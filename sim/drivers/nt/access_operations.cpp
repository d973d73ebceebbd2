#include "sim/drivers/nt/access_operations.h"

#include "halvgate/config/item_rights.h"

namespace simnt {

namespace {

constexpr std::uint8_t kCreate = 0;
constexpr std::uint8_t kRead = 3;
constexpr std::uint8_t kWrite = 4;
constexpr std::uint8_t kQueryInformation = 5;
constexpr std::uint8_t kSetInformation = 6;
constexpr std::uint8_t kDirectoryControl = 12;

constexpr AccessOperation kOperations[] = {
    {"create", kCreate, 1, 0x20, "Create"},
    {"open", kCreate, 2, 0x40, "Open"},
    {"execute", kCreate, 3, 0x8000, "Execute"},
    {"read", kRead, 0, 0x1, "Read"},
    {"write", kWrite, 0, 0x4000, "Write (Modify)"},
    {"append", kSetInformation, 7, 0x2, "Write (Append)"},
    {"rename", kSetInformation, 4, 0x8, "Rename"},
    {"delete", kSetInformation, 5, 0x10, "Delete"},
    {"setattr", kSetInformation, 6, 0x80, "Set Attribute"},
    {"dir", kDirectoryControl, 1, halvgate::kInvisibleBit, "Invisible"},
    {"cd", kDirectoryControl, 2, 0, nullptr},
    {"query", kQueryInformation, 0, 0, nullptr},
};

// The table's bits are the item rights' own.
constexpr bool SameBit(std::string_view name, std::uint32_t bit) {
    for (const halvgate::ItemRight& right : halvgate::kAccessRights) {
        if (name == right.name) {
            return right.bit == bit;
        }
    }
    return name == "Invisible" && bit == halvgate::kInvisibleBit;
}
static_assert([] {
    for (const AccessOperation& op : kOperations) {
        if (op.rightName != nullptr && !SameBit(op.rightName, op.rightBit)) {
            return false;
        }
    }
    return true;
}());

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::span<const AccessOperation> AccessOperations() {
    return kOperations;
}

const AccessOperation* FindAccessOperation(std::string_view name) {
    for (const AccessOperation& op : kOperations) {
        if (EqualNoCase(op.name, name)) {
            return &op;
        }
    }
    return nullptr;
}

}  // namespace simnt
