// The quoting of texts in scripts and transcripts: double quotes, with \" \\ \r \n \t escapes.
#pragma once

#include <string>
#include <string_view>

namespace ui::headless {

std::string Quote(std::string_view text);

}  // namespace ui::headless
