#include "sim/drivers/nt/item_path_match.h"

#include <vector>

namespace simnt {

namespace {

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::vector<std::string_view> Components(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\' || path[i] == '/') {
            parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    while (!parts.empty() && parts.back().empty()) {
        parts.pop_back();
    }
    return parts;
}

// Wildcard match of one component; `*` backtracks to its last position only, which is enough
// for patterns without nested structure.
bool ComponentMatches(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*") {
        return true;
    }
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::string_view::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Upper(pattern[p]) == Upper(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace

bool ItemCoversPath(std::string_view itemPath, std::string_view accessedPath) {
    const std::vector<std::string_view> item = Components(itemPath);
    const std::vector<std::string_view> path = Components(accessedPath);
    if (item.empty() || item.size() > path.size()) {
        return false;
    }
    for (std::size_t i = 0; i < item.size(); ++i) {
        if (!ComponentMatches(item[i], path[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace simnt
