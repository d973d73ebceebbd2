// WinExec and CreateProcessA through the machine's launchers.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/sim/host_file.h"
#include "platform/win32_api.h"
#include "sim/machine_tool/machine_setup.h"
#include "tests/support/test_machine.h"

namespace {

using halvern_test::TestMachine;
namespace fs = std::filesystem;

const fs::path kChild = TestMachine::BinDirectory() / "halvern-test-child";

void AddLauncher(TestMachine& pc, const char* machinePath) {
    std::string error;
    ASSERT_TRUE(halvern_machine::WriteLauncher(pc.Machine(), machinePath, kChild, error)) << error;
}

struct Started {
    win::BOOL ok = win::FALSE;
    win::PROCESS_INFORMATION info{};
};

Started Start(const std::string& commandLine, const char* application = nullptr) {
    Started started;
    std::string line = commandLine;
    win::STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started.ok = win::CreateProcessA(application, line.data(), nullptr, nullptr, win::FALSE, 0,
                                     nullptr, nullptr, &startup, &started.info);
    return started;
}

win::DWORD RunToEnd(const std::string& commandLine) {
    Started started = Start(commandLine);
    EXPECT_TRUE(started.ok) << commandLine << ": error " << win::GetLastError();
    if (!started.ok) {
        return 0xFFFF;
    }
    EXPECT_EQ(win::WaitForSingleObject(started.info.hProcess, 10000), win::WAIT_OBJECT_0);
    win::DWORD code = 0;
    EXPECT_TRUE(win::GetExitCodeProcess(started.info.hProcess, &code));
    win::CloseHandle(started.info.hThread);
    win::CloseHandle(started.info.hProcess);
    return code;
}

std::string Record(const fs::path& file) {
    return winsim::ReadWholeFile(file).value_or("(no record)");
}

TEST(SimProcesses, ExitCodesAndWaiting) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    AddLauncher(pc, "C:\\Tools\\child.exe");
    EXPECT_EQ(RunToEnd("C:\\Tools\\child.exe exit 7"), 7u);
    EXPECT_EQ(RunToEnd("c:\\tools\\CHILD exit 0"), 0u);  // ".exe" added, any case

    Started started = Start("C:\\Tools\\child.exe sleep 2000");
    ASSERT_TRUE(started.ok);
    win::DWORD code = 0;
    EXPECT_TRUE(win::GetExitCodeProcess(started.info.hProcess, &code));
    EXPECT_EQ(code, win::STILL_ACTIVE);
    EXPECT_EQ(win::WaitForSingleObject(started.info.hProcess, 50), win::WAIT_TIMEOUT);
    EXPECT_EQ(win::WaitForSingleObject(started.info.hProcess, win::INFINITE), win::WAIT_OBJECT_0);
    EXPECT_TRUE(win::GetExitCodeProcess(started.info.hProcess, &code));
    EXPECT_EQ(code, 0u);
    win::CloseHandle(started.info.hThread);
    win::CloseHandle(started.info.hProcess);
}

TEST(SimProcesses, TheRestOfTheCommandLineIsOneArgumentAndTheEnvironmentNamesTheMachine) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    AddLauncher(pc, "C:\\Program Files\\Test Dir\\child.exe");
    const fs::path record = pc.Directory() / "record.txt";
    EXPECT_EQ(RunToEnd("\"C:\\Program Files\\Test Dir\\child.exe\" record " + record.string()), 0u);
    const std::string quoted = Record(record);
    EXPECT_NE(quoted.find("argc=2\n"), std::string::npos) << quoted;
    EXPECT_NE(quoted.find("line=record " + record.string() + "\n"), std::string::npos) << quoted;
    EXPECT_NE(quoted.find("machine=" + fs::absolute(pc.Directory()).string() + "\n"),
              std::string::npos)
        << quoted;
    EXPECT_NE(quoted.find("program=C:\\Program Files\\Test Dir\\child.exe\n"), std::string::npos)
        << quoted;
    fs::remove(record);

    // Unquoted, with blanks in the path: Windows tries "C:\Program" first, then goes on.
    EXPECT_EQ(RunToEnd("C:\\Program Files\\Test Dir\\child.exe record " + record.string()), 0u);
    EXPECT_NE(Record(record).find("line=record " + record.string() + "\n"), std::string::npos);
}

TEST(SimProcesses, ABareNameIsFoundInTheWindowsAndSystemFolders) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    AddLauncher(pc, "C:\\WINDOWS\\winchild.exe");
    AddLauncher(pc, "C:\\WINDOWS\\SYSTEM32\\syschild.exe");
    EXPECT_EQ(RunToEnd("winchild exit 3"), 3u);
    EXPECT_EQ(RunToEnd("SYSCHILD.EXE exit 4"), 4u);
}

TEST(SimProcesses, FailuresReportWindowsErrors) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    pc.WriteFile("C:\\data\\text.exe", "not a program");
    EXPECT_FALSE(Start("C:\\nothing.exe").ok);
    EXPECT_EQ(win::GetLastError(), win::ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(Start("\"C:\\no folder\\x.exe\"").ok);
    EXPECT_EQ(win::GetLastError(), win::ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(Start("C:\\data\\text.exe").ok);
    EXPECT_EQ(win::GetLastError(), 193u);

    EXPECT_EQ(win::WinExec("C:\\nothing.exe", win::SW_SHOWNORMAL), 2u);
    EXPECT_EQ(win::WinExec("C:\\nofolder\\x.exe", win::SW_SHOWNORMAL), 3u);
    EXPECT_EQ(win::WinExec("C:\\data\\text.exe", win::SW_SHOWNORMAL), 11u);
}

TEST(SimProcesses, WinExecStartsTheStandInsAndLeavesNoZombie) {
    TestMachine pc;  // the suite's launchers, notepad and the browser
    EXPECT_GT(win::WinExec("\"C:\\Program Files\\Web Browser\\browser.exe\" http://example.org/",
                           win::SW_SHOWNORMAL),
              31u);
    EXPECT_GT(win::WinExec("C:\\WINDOWS\\notepad.exe C:\\WINDOWS\\HALVGATE.LOG", win::SW_SHOWNORMAL),
              31u);
    const fs::path log = pc.Directory() / "log/processes.log";
    std::string text;
    for (int i = 0; i < 500; ++i) {
        text = winsim::ReadWholeFile(log).value_or("");
        if (std::count(text.begin(), text.end(), '\n') >= 2) {
            break;
        }
        ::usleep(10000);
    }
    EXPECT_NE(text.find("browser\tC:\\Program Files\\Web Browser\\browser.exe\thttp://example.org/\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("notepad\tC:\\WINDOWS\\notepad.exe\tC:\\WINDOWS\\HALVGATE.LOG\n"),
              std::string::npos)
        << text;
    int status = 0;
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);  // no child of ours is left
    EXPECT_EQ(errno, ECHILD);
}

TEST(SimProcesses, ALauncherOfAProgramNotBuiltFailsClearly) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    std::string error;
    ASSERT_TRUE(halvern_machine::WriteLauncher(pc.Machine(), "C:\\x\\absent.exe",
                                               pc.Directory() / "no-such-program", error));
    Started started = Start("C:\\x\\absent.exe");
    ASSERT_TRUE(started.ok);
    win::WaitForSingleObject(started.info.hProcess, win::INFINITE);
    win::DWORD code = 0;
    win::GetExitCodeProcess(started.info.hProcess, &code);
    EXPECT_EQ(code, 127u);
    win::CloseHandle(started.info.hThread);
    win::CloseHandle(started.info.hProcess);
}

}  // namespace
