#include "ui/qt/file_filter.h"

#include <cctype>

namespace ui::qtbackend {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == separator) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

bool Same(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

bool Match(const char* name, const char* pattern) {
    // Greedy wildcard match with one backtracking point for the last '*'.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name != '\0') {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' || (*pattern != '\0' && Same(*pattern, *name))) {
            ++pattern;
            ++name;
        } else if (star != nullptr) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*') {
        ++pattern;
    }
    return *pattern == '\0';
}

}  // namespace

std::vector<FileFilter> ParseFileFilter(const std::string& filter) {
    std::vector<FileFilter> filters;
    const std::vector<std::string> parts = Split(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty()) {
            break;  // the closing "||"
        }
        FileFilter entry;
        entry.description = parts[i];
        for (const std::string& pattern : Split(parts[i + 1], ';')) {
            if (!pattern.empty()) {
                entry.patterns.push_back(pattern);
            }
        }
        filters.push_back(std::move(entry));
    }
    return filters;
}

bool MatchesPattern(const std::string& name, const std::string& pattern) {
    if (pattern == "*.*") {
        return true;
    }
    return Match(name.c_str(), pattern.c_str());
}

bool MatchesFilter(const std::string& name, const FileFilter& filter) {
    for (const std::string& pattern : filter.patterns) {
        if (MatchesPattern(name, pattern)) {
            return true;
        }
    }
    return false;
}

}  // namespace ui::qtbackend
