// One run of the access prompt agent: fetch the request of the slot named on the command line,
// ask the user, hand the answer back to the driver and report the slot free.
#pragma once

namespace halvern {

// Process exit codes of the agent.
constexpr int kAskExitNotAccepted = 0;  // the command line was not accepted
constexpr int kAskExitAllowed = 1;      // the user allowed the access
constexpr int kAskExitRefused = 2;      // the user refused it, or no answer could be had

// `commandLine` is the text after the program name (may be null). Returns the exit code.
int RunAskForAccess(const char* commandLine);

}  // namespace halvern
