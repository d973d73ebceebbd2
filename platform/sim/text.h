// Small text helpers of the simulated PC: Windows compares names without regard to ASCII case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace winsim {

inline char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
inline char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// Orders case-insensitively, then by exact bytes so that the order is total.
inline int CompareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = static_cast<unsigned char>(AsciiLower(a[i]));
        const unsigned char y = static_cast<unsigned char>(AsciiLower(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

inline std::string ToLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = AsciiLower(c);
    }
    return out;
}

inline std::string ToUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = AsciiUpper(c);
    }
    return out;
}

inline std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n')) {
        text.remove_suffix(1);
    }
    return text;
}

// Splits on any of the separator characters, dropping empty parts.
inline std::vector<std::string> SplitPath(std::string_view text, std::string_view separators) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : text) {
        if (separators.find(c) != std::string_view::npos) {
            if (!current.empty()) {
                parts.push_back(current);
            }
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) {
        parts.push_back(current);
    }
    return parts;
}

}  // namespace winsim

namespace winsim {

// The folder of a Windows path ("C:\A\b.exe" -> "C:\A", "C:\b.exe" -> "C:\"); "" without one.
inline std::string WindowsFolderOf(const std::string& windowsPath) {
    const std::size_t slash = windowsPath.find_last_of('\\');
    if (slash == std::string::npos) {
        return {};
    }
    return slash == 2 ? windowsPath.substr(0, 3) : windowsPath.substr(0, slash);
}

inline std::string JoinWindowsPath(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

}  // namespace winsim
