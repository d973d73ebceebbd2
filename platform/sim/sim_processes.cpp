// SimSystem: processes. A program of the machine is an .exe file that is a launcher: a small
// script that execs the host program behind it with "$@". It is started with posix_spawn, with
// the rest of the Windows command line as one argument (the program's main makes it lpCmdLine
// again) and HALVERN_MACHINE, HALVERN_PROGRAM and HALVERN_CWD telling it where it runs.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <ctime>

#include "platform/sim/command_line.h"
#include "platform/sim/host_error.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/text.h"
#include "platform/win32_api.h"

extern char** environ;

namespace winsim {
namespace {

constexpr win::DWORD kErrorBadExeFormat = 193;

bool HasExtension(const std::string& name) {
    const std::size_t slash = name.find_last_of("\\/");
    const std::size_t dot = name.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

// A launcher script or a host executable; anything else is not a program.
bool LooksExecutable(const std::string& hostPath) {
    const int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    char head[4] = {};
    const ssize_t n = ::read(fd, head, sizeof head);
    ::close(fd);
    return (n >= 2 && head[0] == '#' && head[1] == '!') ||
           (n == 4 && std::memcmp(head, "\x7f" "ELF", 4) == 0);
}

// The WinExec result for a failure: 2, 3 or 11 as Windows documents, 0 for the rest.
win::UINT WinExecError(win::DWORD error) {
    switch (error) {
        case win::ERROR_FILE_NOT_FOUND:
        case win::ERROR_PATH_NOT_FOUND:
            return error;
        case kErrorBadExeFormat:
        case win::ERROR_BAD_FORMAT:
            return win::ERROR_BAD_FORMAT;
        default:
            return 0;
    }
}

}  // namespace

win::DWORD SimSystem::FindProgram(const std::string& name, Program& out) const {
    if (name.empty()) {
        return win::ERROR_FILE_NOT_FOUND;
    }
    const std::string file = HasExtension(name) ? name : name + ".exe";
    std::vector<std::string> candidates;
    if (file.find_first_of(":\\/") != std::string::npos) {
        candidates.push_back(file);
    } else {
        for (const std::string& folder : {WindowsFolderOf(programPath_), currentDir_,
                                          machine_.Settings().systemDir,
                                          machine_.Settings().windowsDir}) {
            if (!folder.empty()) {
                candidates.push_back(JoinWindowsPath(folder, file));
            }
        }
    }
    win::DWORD firstError = win::ERROR_FILE_NOT_FOUND;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        HostPath where;
        win::DWORD error = machine_.Resolve(candidates[i], currentDir_, where);
        if (error == win::ERROR_SUCCESS && (!where.exists || where.isDirectory)) {
            error = win::ERROR_FILE_NOT_FOUND;
        }
        if (error == win::ERROR_SUCCESS) {
            std::string normal;
            Machine::Normalize(candidates[i], currentDir_, normal);
            out.machinePath = JoinWindowsPath(WindowsFolderOf(normal), where.leafName);
            out.hostPath = where.path.string();
            return win::ERROR_SUCCESS;
        }
        if (i == 0) {
            firstError = error;
        }
    }
    return firstError;
}

win::DWORD SimSystem::StartProgram(win::LPCSTR application, win::LPCSTR commandLine,
                                   win::LPCSTR currentDirectory, bool detached, int& pid) {
    Program program;
    std::string arguments;
    if (application != nullptr) {
        const win::DWORD error = FindProgram(application, program);
        if (error != win::ERROR_SUCCESS) {
            return error;
        }
        arguments = ArgumentsAfterProgram(commandLine == nullptr ? "" : commandLine);
    } else {
        const std::vector<CommandSplit> splits =
            SplitCommandLine(commandLine == nullptr ? "" : commandLine);
        if (splits.empty()) {
            return win::ERROR_FILE_NOT_FOUND;
        }
        win::DWORD firstError = win::ERROR_SUCCESS;
        for (const CommandSplit& split : splits) {
            const win::DWORD error = FindProgram(split.program, program);
            if (error == win::ERROR_SUCCESS) {
                arguments = split.arguments;
                firstError = win::ERROR_SUCCESS;
                break;
            }
            if (firstError == win::ERROR_SUCCESS) {
                firstError = error;
            }
        }
        if (firstError != win::ERROR_SUCCESS) {
            return firstError;
        }
    }
    if (!LooksExecutable(program.hostPath)) {
        return kErrorBadExeFormat;
    }
    std::string workingDir = currentDir_;
    if (currentDirectory != nullptr) {
        HostPath where;
        if (machine_.Resolve(currentDirectory, currentDir_, where) != win::ERROR_SUCCESS ||
            !where.exists || !where.isDirectory) {
            return win::ERROR_DIRECTORY;
        }
        Machine::Normalize(currentDirectory, currentDir_, workingDir);
    }

    // The environment: ours, with the machine, the program and its current folder set.
    std::vector<std::string> variables;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        if (text.rfind("HALVERN_MACHINE=", 0) != 0 && text.rfind("HALVERN_PROGRAM=", 0) != 0 &&
            text.rfind("HALVERN_CWD=", 0) != 0) {
            variables.emplace_back(text);
        }
    }
    std::error_code ec;
    variables.push_back("HALVERN_MACHINE=" +
                        std::filesystem::absolute(machine_.Directory(), ec).string());
    variables.push_back("HALVERN_PROGRAM=" + program.machinePath);
    variables.push_back("HALVERN_CWD=" + workingDir);
    std::vector<char*> envp;
    for (std::string& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);

    // Detached (WinExec): a shell starts the program in the background and ends at once, so
    // the program is never our child and leaves no zombie.
    std::vector<std::string> words;
    if (detached) {
        words = {"/bin/sh", "-c", "\"$0\" \"$@\" </dev/null &", program.hostPath};
    } else {
        words = {program.hostPath};
    }
    if (!arguments.empty()) {
        words.push_back(arguments);
    }
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const int result = ::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data());
    if (result != 0) {
        return result == ENOEXEC ? kErrorBadExeFormat : Win32ErrorOf(result);
    }
    if (detached) {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    return win::ERROR_SUCCESS;
}

win::UINT SimSystem::WinExec(win::LPCSTR commandLine, win::UINT /*show*/) {
    ReapOrphans();
    int pid = 0;
    const win::DWORD error = StartProgram(nullptr, commandLine, nullptr, true, pid);
    if (error != win::ERROR_SUCCESS) {
        win::SetLastError(error);
        return WinExecError(error);
    }
    return 33;
}

win::BOOL SimSystem::CreateProcessA(win::LPCSTR application, win::LPSTR commandLine,
                                    win::SECURITY_ATTRIBUTES* /*processSecurity*/,
                                    win::SECURITY_ATTRIBUTES* /*threadSecurity*/,
                                    win::BOOL /*inheritHandles*/, win::DWORD /*flags*/,
                                    win::LPVOID /*environment*/, win::LPCSTR currentDirectory,
                                    win::STARTUPINFOA* /*startup*/,
                                    win::PROCESS_INFORMATION* info) {
    ReapOrphans();
    if (info == nullptr || (application == nullptr && commandLine == nullptr)) {
        win::SetLastError(win::ERROR_INVALID_PARAMETER);
        return win::FALSE;
    }
    int pid = 0;
    const win::DWORD error = StartProgram(application, commandLine, currentDirectory, false, pid);
    if (error != win::ERROR_SUCCESS) {
        win::SetLastError(error);
        return win::FALSE;
    }
    auto child = std::make_shared<Child>();
    child->pid = pid;
    info->hProcess = AddObject(ChildHandle{child});
    info->hThread = AddObject(ChildHandle{child});
    info->dwProcessId = static_cast<win::DWORD>(pid);
    info->dwThreadId = static_cast<win::DWORD>(pid);
    return win::TRUE;
}

bool SimSystem::Poll(Child& child, bool block) {
    if (child.exited) {
        return true;
    }
    int status = 0;
    pid_t result = 0;
    do {
        result = ::waitpid(child.pid, &status, block ? 0 : WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == child.pid) {
        child.exited = true;
        // A program killed by a signal ends with 128 + the signal, as a shell reports it.
        child.exitCode = WIFEXITED(status) ? static_cast<win::DWORD>(WEXITSTATUS(status))
                                           : 128u + static_cast<win::DWORD>(WTERMSIG(status));
    } else if (result < 0) {
        child.exited = true;  // reaped elsewhere: nothing more to learn
    }
    return child.exited;
}

void SimSystem::ReapOrphans() {
    for (std::size_t i = 0; i < orphans_.size();) {
        if (Poll(*orphans_[i], false)) {
            orphans_.erase(orphans_.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

win::DWORD SimSystem::WaitForSingleObject(win::HANDLE handle, win::DWORD milliseconds) {
    Object* object = FindObject(handle);
    auto* process = object == nullptr ? nullptr : std::get_if<ChildHandle>(object);
    if (process == nullptr) {
        win::SetLastError(win::ERROR_INVALID_HANDLE);
        return win::WAIT_FAILED;
    }
    Child& child = *process->child;
    if (milliseconds == win::INFINITE) {
        Poll(child, true);
        return win::WAIT_OBJECT_0;
    }
    timespec start{};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    long pause = 1;  // ms, growing to 10
    for (;;) {
        if (Poll(child, false)) {
            return win::WAIT_OBJECT_0;
        }
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        const long elapsed = (now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000;
        if (elapsed >= static_cast<long>(milliseconds)) {
            return win::WAIT_TIMEOUT;
        }
        const long left = static_cast<long>(milliseconds) - elapsed;
        const long step = pause < left ? pause : left;
        timespec rest{step / 1000, (step % 1000) * 1000000L};
        ::nanosleep(&rest, nullptr);
        if (pause < 10) {
            ++pause;
        }
    }
}

win::BOOL SimSystem::GetExitCodeProcess(win::HANDLE process, win::LPDWORD exitCode) {
    Object* object = FindObject(process);
    auto* handle = object == nullptr ? nullptr : std::get_if<ChildHandle>(object);
    if (handle == nullptr) {
        win::SetLastError(win::ERROR_INVALID_HANDLE);
        return win::FALSE;
    }
    if (exitCode == nullptr) {
        win::SetLastError(win::ERROR_INVALID_PARAMETER);
        return win::FALSE;
    }
    *exitCode = Poll(*handle->child, false) ? handle->child->exitCode : win::STILL_ACTIVE;
    return win::TRUE;
}

}  // namespace winsim
