// How Windows finds the program in a command line (CreateProcessA with no application name,
// WinExec): a quoted program ends at the closing quote; an unquoted one ends at a blank, but
// when that names no file Windows goes on to the next blank, so that
// C:\Program Files\App\app.exe arg still finds C:\Program Files\App\app.exe.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace winsim {

struct CommandSplit {
    std::string program;    // the program as written (quotes removed)
    std::string arguments;  // the rest, leading blanks skipped: what WinMain gets as lpCmdLine
};

// The ways to read the command line, in the order Windows tries them. Empty for a blank line.
std::vector<CommandSplit> SplitCommandLine(std::string_view commandLine);

// The rest of a command line after its first token (argv[0] rules: quoted, or up to a blank).
std::string ArgumentsAfterProgram(std::string_view commandLine);

}  // namespace winsim
