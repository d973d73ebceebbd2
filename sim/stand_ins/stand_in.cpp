// A stand-in for a program of the PC that is not part of the suite (Notepad, the web browser,
// the uninstaller). It appends one line to log/processes.log of its machine and ends with 0:
//
//     <role> TAB <machine path of the program> TAB <command line>
//
// so that tests and people can see what the suite started, and with which command line.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

#include "platform/sim/program_host.h"

int main(int argc, char** argv) {
    winsim::ProgramHost host(HALVERN_STAND_IN, argc, argv);
    if (!host.Ready()) {
        return 1;
    }
    const std::filesystem::path logDir = host.System().GetMachine().LogDirectory();
    std::error_code ec;
    std::filesystem::create_directories(logDir, ec);
    const std::string line = std::string(HALVERN_STAND_IN) + "\t" + host.System().ProgramPath() +
                             "\t" + host.CommandLine() + "\n";
    const int fd = ::open((logDir / "processes.log").c_str(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
        std::perror("halvern stand-in: cannot write log/processes.log");
        return 1;
    }
    ::close(fd);
    return 0;
}
