// Matching of file names against Windows wildcards, case-insensitively, with the MS-DOS rules
// that Windows keeps: `*` matches any run of characters; `*` before a `.` stops at the name's
// last dot (so `*.` matches names without a dot); `?` matches one character, or none before a
// dot or at the end; a `.` followed only by wildcards may also match the end of a name (so
// `*.*` matches every name, `name.*` also matches `name`).
#pragma once

#include <string_view>

namespace winsim {

bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace winsim
