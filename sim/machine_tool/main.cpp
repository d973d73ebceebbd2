// halvern-machine: creates a simulated Windows PC and plays the rest of it (docs/machine.md).
#include <cstdio>
#include <cstring>
#include <string>

#include "sim/machine_tool/verbs.h"

namespace halvern_machine {
namespace {

// Every verb of the tool. To add one: write verb_NAME.cpp defining `const Verb kNameVerb =
// {"name", "one-line summary", "usage text", RunName};` (tool.h has the exit codes and helpers),
// declare it in verbs.h and add one line here. CMake picks up every verb_*.cpp by itself.
const Verb* const kVerbs[] = {
    &kInitVerb,
    &kInfoVerb,
    &kShowVerb,
    &kConfigVerb,
    &kAccessVerb,
    &kDiskVerb,
};

const Verb* FindVerb(const std::string& name) {
    for (const Verb* verb : kVerbs) {
        if (name == verb->name) {
            return verb;
        }
    }
    return nullptr;
}

void PrintUsage(std::FILE* out) {
    std::fputs(
        "Usage: halvern-machine VERB [ARGUMENTS]\n"
        "Creates and drives a simulated Windows PC (a machine folder) for the Halvern suite.\n"
        "The machine is $HALVERN_MACHINE, or ~/.local/share/halvern/machine.\n\n"
        "Verbs:\n",
        out);
    for (const Verb* verb : kVerbs) {
        std::fprintf(out, "  %-10s %s\n", verb->name, verb->summary);
    }
    std::fputs("  help VERB  the usage of one verb\n\n"
               "Exit codes: 0 done, 1 failed (for example no machine), 2 wrong usage.\n",
               out);
}

int Main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h" || (first == "help" && argc == 2)) {
        PrintUsage(stdout);
        return kExitOk;
    }
    if (first == "help") {
        const Verb* verb = FindVerb(argv[2]);
        if (verb == nullptr || argc > 3) {
            std::fprintf(stderr, "halvern-machine help: there is no verb \"%s\"\n", argv[2]);
            PrintUsage(stderr);
            return kExitUsage;
        }
        std::fputs(verb->usage, stdout);
        return kExitOk;
    }
    const Verb* verb = FindVerb(first);
    if (verb == nullptr) {
        std::fprintf(stderr, "halvern-machine: unknown verb \"%s\"\n\n", first.c_str());
        PrintUsage(stderr);
        return kExitUsage;
    }
    Arguments args(argv + 2, argv + argc);
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::fputs(verb->usage, stdout);
            return kExitOk;
        }
    }
    return verb->run(args);
}

}  // namespace
}  // namespace halvern_machine

int main(int argc, char** argv) {
    return halvern_machine::Main(argc, argv);
}
