#include "platform/sim/wildcard.h"

#include <vector>

#include "platform/sim/text.h"

namespace winsim {
namespace {

bool OnlyWildcards(std::string_view text) {
    for (char c : text) {
        if (c != '*' && c != '?') {
            return false;
        }
    }
    return true;
}

class Matcher {
  public:
    Matcher(std::string_view pattern, std::string_view name)
        : pattern_(pattern), name_(name), lastDot_(name.rfind('.')),
          memo_((pattern.size() + 1) * (name.size() + 1), kUnknown) {}

    bool Match(std::size_t p, std::size_t n) {
        char& memo = memo_[p * (name_.size() + 1) + n];
        if (memo == kUnknown) {
            memo = Compute(p, n) ? kYes : kNo;
        }
        return memo == kYes;
    }

  private:
    static constexpr char kUnknown = 0;
    static constexpr char kYes = 1;
    static constexpr char kNo = 2;

    bool Compute(std::size_t p, std::size_t n) {
        if (p == pattern_.size()) {
            return n == name_.size();
        }
        const char c = pattern_[p];
        const bool atEnd = n == name_.size();
        if (c == '*') {
            const bool beforeDot = p + 1 < pattern_.size() && pattern_[p + 1] == '.';
            std::size_t limit = name_.size();
            if (beforeDot && lastDot_ != std::string_view::npos) {
                limit = lastDot_;  // stops at the last dot of the name
            }
            for (std::size_t k = n; k <= limit; ++k) {
                if (Match(p + 1, k)) {
                    return true;
                }
            }
            return false;
        }
        if (c == '?') {
            if (!atEnd && Match(p + 1, n + 1)) {
                return true;
            }
            const bool beforeDotOrEnd = p + 1 == pattern_.size() || pattern_[p + 1] == '.';
            return beforeDotOrEnd && (atEnd || name_[n] == '.') && Match(p + 1, n);
        }
        if (c == '.') {
            if (!atEnd && name_[n] == '.' && Match(p + 1, n + 1)) {
                return true;
            }
            return atEnd && OnlyWildcards(pattern_.substr(p + 1));
        }
        return !atEnd && AsciiLower(c) == AsciiLower(name_[n]) && Match(p + 1, n + 1);
    }

    std::string_view pattern_;
    std::string_view name_;
    std::size_t lastDot_;
    std::vector<char> memo_;
};

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    Matcher matcher(pattern, name);
    return matcher.Match(0, 0);
}

}  // namespace winsim
