// The open-file dialog's filter: pairs of a description and ';'-separated patterns, all
// separated by '|' and ended by "||", and the wildcard match of a file name to a pattern.
#pragma once

#include <string>
#include <vector>

namespace ui::qtbackend {

struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;
};

std::vector<FileFilter> ParseFileFilter(const std::string& filter);
// '*' matches any run of characters and '?' one character, without regard to case; "*.*"
// matches every name, with or without an extension.
bool MatchesPattern(const std::string& name, const std::string& pattern);
bool MatchesFilter(const std::string& name, const FileFilter& filter);

}  // namespace ui::qtbackend
