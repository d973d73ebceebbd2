#include "platform/sim/command_line.h"

namespace winsim {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view SkipBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

}  // namespace

std::vector<CommandSplit> SplitCommandLine(std::string_view commandLine) {
    std::vector<CommandSplit> splits;
    const std::string_view line = SkipBlanks(commandLine);
    if (line.empty()) {
        return splits;
    }
    if (line.front() == '"') {
        const std::size_t close = line.find('"', 1);
        if (close == std::string_view::npos) {
            splits.push_back({std::string(line.substr(1)), std::string()});
        } else {
            splits.push_back({std::string(line.substr(1, close - 1)),
                              std::string(SkipBlanks(line.substr(close + 1)))});
        }
        return splits;
    }
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || IsBlank(line[i])) {
            if (i > 0 && !IsBlank(line[i - 1])) {
                splits.push_back({std::string(line.substr(0, i)),
                                  std::string(SkipBlanks(line.substr(i)))});
            }
        }
    }
    return splits;
}

std::string ArgumentsAfterProgram(std::string_view commandLine) {
    const std::vector<CommandSplit> splits = SplitCommandLine(commandLine);
    return splits.empty() ? std::string() : splits.front().arguments;
}

}  // namespace winsim
