// The first word of an access prompt: the name of the held request's operation, from the
// file-system major function code and the driver's kind that refines codes 0, 6 and 12.
#pragma once

#include <cstddef>
#include <cstdint>

namespace halvern {

// Never null; "Unknown" for codes and kinds the table does not name.
const char* OperationName(std::uint8_t code, std::uint8_t kind);

// The longest name the table holds ("Query Volume Information").
constexpr std::size_t kLongestOperationName = 24;

}  // namespace halvern
