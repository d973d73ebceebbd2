// halvern-machine access: a program of the machine attempts an access, and the protection
// driver lets it through, denies it, holds it for Halvask's question, or asks for the on-the-fly
// password.
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/sim/sim_system.h"
#include "sim/drivers/nt/nt_access_attempt.h"
#include "sim/machine_tool/verbs.h"

namespace halvern_machine {
namespace {

constexpr int kExitAllowed = 0;
constexpr int kExitDenied = 1;
constexpr int kExitNotPlayed = 3;

// Reads a line from the terminal with echo switched off; nothing without a terminal.
std::optional<std::string> AskPasswordOnTerminal() {
    std::FILE* tty = std::fopen("/dev/tty", "r+");
    if (tty == nullptr) {
        return std::nullopt;
    }
    const int fd = ::fileno(tty);
    termios saved{};
    const bool canHide = ::tcgetattr(fd, &saved) == 0;
    if (canHide) {
        termios hidden = saved;
        hidden.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(fd, TCSAFLUSH, &hidden);
    }
    std::fputs("On-the-fly password: ", tty);
    std::fflush(tty);
    std::string typed;
    bool gotLine = false;
    for (int c = std::fgetc(tty); c != EOF; c = std::fgetc(tty)) {
        if (c == '\n' || c == '\r') {
            gotLine = true;
            break;
        }
        typed.push_back(static_cast<char>(c));
    }
    if (canHide) {
        ::tcsetattr(fd, TCSAFLUSH, &saved);
    }
    std::fputs("\n", tty);
    std::fclose(tty);
    if (!gotLine && typed.empty()) {
        return std::nullopt;
    }
    return typed;
}

bool ParseSeconds(const std::string& text, std::chrono::milliseconds& out) {
    char* end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    if (text.empty() || end == nullptr || *end != '\0' || !(seconds > 0) || seconds > 86400) {
        return false;
    }
    out = std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
    return out.count() > 0;
}

int RunAccess(const Arguments& args) {
    simnt::AccessRequest request;
    std::optional<std::string> password;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--process" || arg == "--password" || arg == "--timeout") {
            if (!hasValue) {
                return UsageError("access", arg + " needs a value");
            }
            const std::string& value = args[++i];
            if (arg == "--process") {
                request.process = value;
            } else if (arg == "--password") {
                password = value;
            } else if (!ParseSeconds(value, request.timeout)) {
                return UsageError(
                    "access", "--timeout takes a number of seconds above 0, not \"" + value + "\"");
            }
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            return UsageError("access", "unknown option \"" + arg + "\"");
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        return UsageError("access", "give an operation and a path");
    }
    request.operation = simnt::FindAccessOperation(positional[0]);
    if (request.operation == nullptr) {
        std::string known;
        for (const simnt::AccessOperation& op : simnt::AccessOperations()) {
            known += std::string(known.empty() ? "" : ", ") + op.name;
        }
        return UsageError("access",
                          "there is no operation \"" + positional[0] + "\" (" + known + ")");
    }
    request.path = positional[1];

    std::optional<winsim::Machine> machine = OpenMachine();
    if (!machine) {
        return kExitNotPlayed;
    }
    if (machine->Settings().family != winsim::Family::Nt) {
        Failure("access: this is a Windows 9x machine; accesses are played for the NT driver");
        return kExitNotPlayed;
    }
    if (machine->Settings().FindDevice("Halvgate") == nullptr) {
        std::puts("allowed: no protection driver is loaded");
        return kExitAllowed;
    }
    const std::filesystem::path dir = machine->Directory();
    winsim::SimSystem system(std::move(*machine));
    const win::ScopedSystem installed(system);
    simnt::NtAccessAttempt attempt(dir, [&]() -> std::optional<std::string> {
        return password ? password : AskPasswordOnTerminal();
    });
    std::string error;
    const std::optional<simnt::AccessOutcome> outcome = attempt.Run(request, error);
    if (!outcome) {
        Failure("access: " + error);
        return kExitNotPlayed;
    }
    std::puts(outcome->verdict.c_str());
    return outcome->allowed ? kExitAllowed : kExitDenied;
}

}  // namespace

extern const Verb kAccessVerb = {
    "access", "a program of the machine accesses a file; prints the driver's verdict",
    "Usage: halvern-machine access [--process NAME] [--password PW] [--timeout SECONDS]\n"
    "                              OPERATION PATH\n"
    "A program of the machine (NAME, default EXPLORER.EXE; the driver keeps 16 characters)\n"
    "attempts OPERATION on PATH (a Windows path; relative paths start at C:\\). The NT\n"
    "protection driver decides with the configuration it last loaded:\n"
    "  - protection switched off, protection status inactive, no active item that covers\n"
    "    PATH and restricts the operation's right: the access goes on;\n"
    "  - action Disable: denied;\n"
    "  - action Prompt: held in a free request slot while Halvask, started in the machine\n"
    "    with \"AskForAccess|N|\", asks the user; its answer decides. After SECONDS (default\n"
    "    60) without an answer the access is denied and stays held until it is answered;\n"
    "  - action Ask Password: allowed only with the on-the-fly password (--password, else\n"
    "    asked on the terminal without echo).\n"
    "Operations and the rights that restrict them: create (Create), open (Open), execute\n"
    "(Execute), read (Read), write (Write (Modify)), append (Write (Append)), rename (Rename),\n"
    "delete (Delete), setattr (Set Attribute), dir (Invisible); cd and query are restricted\n"
    "by no right. docs/access-road.md says how paths and wildcards match.\n"
    "Halvask inherits the environment: HALVERN_UI, HALVERN_SCRIPT and HALVERN_TRANSCRIPT\n"
    "choose how its question is shown and answered.\n"
    "Prints one line, \"allowed: ...\" or \"denied: ...\". Exit codes: 0 allowed, 1 denied,\n"
    "2 wrong usage, 3 the access could not be played (no machine, a 9x machine, a path\n"
    "without a drive or too long for a request).\n",
    RunAccess};

}  // namespace halvern_machine
