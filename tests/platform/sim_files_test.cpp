// The file calls of the simulated PC against the documented Win32 behaviour.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "platform/win32_api.h"
#include "tests/support/test_machine.h"

namespace {

using halvern_test::TestMachine;
constexpr win::UINT kUintError = 0xFFFFFFFFu;

std::set<std::string> List(const char* pattern, win::DWORD* error = nullptr) {
    std::set<std::string> names;
    win::WIN32_FIND_DATAA data{};
    win::HANDLE find = win::FindFirstFileA(pattern, &data);
    if (find == win::INVALID_HANDLE_VALUE) {
        if (error != nullptr) {
            *error = win::GetLastError();
        }
        return names;
    }
    do {
        names.insert(data.cFileName);
    } while (win::FindNextFileA(find, &data));
    if (error != nullptr) {
        *error = win::GetLastError();
    }
    win::FindClose(find);
    return names;
}

TEST(SimFiles, LcreatCreatesAndTruncatesWithAReadWriteHandle) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    pc.WriteFile("C:\\data.bin", "old content");
    const win::HFILE file = win::_lcreat("C:\\data.bin", 0);
    ASSERT_NE(file, win::HFILE_ERROR);
    EXPECT_EQ(pc.ReadFile("C:\\data.bin"), "");
    EXPECT_EQ(win::_lwrite(file, "abc", 3), 3u);
    EXPECT_EQ(win::_llseek(file, 0, win::FILE_BEGIN), 0);
    char buffer[8] = {};
    EXPECT_EQ(win::_lread(file, buffer, sizeof buffer), 3u);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(win::_lclose(file), 0);
}

TEST(SimFiles, LopenOpensExistingFilesOnlyAndNeverTruncates) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    win::SetLastError(0);
    EXPECT_EQ(win::_lopen("C:\\missing.txt", win::OF_READ), win::HFILE_ERROR);
    EXPECT_EQ(win::GetLastError(), win::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(win::_lopen("C:\\nofolder\\x.txt", win::OF_READ), win::HFILE_ERROR);
    EXPECT_EQ(win::GetLastError(), win::ERROR_PATH_NOT_FOUND);

    pc.WriteFile("C:\\keep.txt", "keep");
    const win::HFILE file = win::_lopen("C:\\keep.txt", win::OF_READWRITE);
    ASSERT_NE(file, win::HFILE_ERROR);
    win::_lclose(file);
    EXPECT_EQ(pc.ReadFile("C:\\keep.txt"), "keep");
}

struct ModeCase {
    int mode;
    bool reads;
    bool writes;
};

class SimFilesModes : public ::testing::TestWithParam<ModeCase> {};

TEST_P(SimFilesModes, ReadAndWriteFollowTheOpenMode) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    pc.WriteFile("C:\\f.txt", "hello");
    const win::HFILE file = win::_lopen("C:\\f.txt", GetParam().mode);
    ASSERT_NE(file, win::HFILE_ERROR);
    char buffer[5];
    const win::UINT read = win::_lread(file, buffer, 5);
    EXPECT_EQ(read, GetParam().reads ? 5u : kUintError);
    if (!GetParam().reads) {
        EXPECT_EQ(win::GetLastError(), win::ERROR_ACCESS_DENIED);
    }
    win::_llseek(file, 0, win::FILE_BEGIN);
    EXPECT_EQ(win::_lwrite(file, "HE", 2), GetParam().writes ? 2u : kUintError);
    win::_lclose(file);
    EXPECT_EQ(pc.ReadFile("C:\\f.txt"), GetParam().writes ? "HEllo" : "hello");
}

INSTANTIATE_TEST_SUITE_P(Modes, SimFilesModes,
                         ::testing::Values(ModeCase{win::OF_READ, true, false},
                                           ModeCase{win::OF_WRITE, false, true},
                                           ModeCase{win::OF_READWRITE, true, true}));

TEST(SimFiles, ReadsReturnWhatRemainsAndZeroAtTheEnd) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    pc.WriteFile("C:\\f.bin", std::string(10, 'x'));
    const win::HFILE file = win::_lopen("C:\\f.bin", win::OF_READ);
    char buffer[64];
    EXPECT_EQ(win::_lread(file, buffer, 6), 6u);
    EXPECT_EQ(win::_lread(file, buffer, 64), 4u);
    EXPECT_EQ(win::_lread(file, buffer, 64), 0u);
    win::_lclose(file);
}

TEST(SimFiles, SeekReturnsTheNewOffsetAndMayPassTheEnd) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    pc.WriteFile("C:\\f.bin", std::string(10, 'x'));
    const win::HFILE file = win::_lopen("C:\\f.bin", win::OF_READWRITE);
    EXPECT_EQ(win::_llseek(file, 4, win::FILE_BEGIN), 4);
    EXPECT_EQ(win::_llseek(file, 2, win::FILE_CURRENT), 6);
    EXPECT_EQ(win::_llseek(file, 0, win::FILE_END), 10);
    EXPECT_EQ(win::_llseek(file, 5, win::FILE_END), 15);
    EXPECT_EQ(win::_llseek(file, -100, win::FILE_BEGIN), win::HFILE_ERROR);
    win::_lclose(file);
}

TEST(SimFiles, ZeroLengthWriteReturnsZero) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    const win::HFILE file = win::_lcreat("C:\\f.bin", 0);
    EXPECT_EQ(win::_lwrite(file, "abc", 3), 3u);
    EXPECT_EQ(win::_lwrite(file, "", 0), 0u);
    win::_lclose(file);
    EXPECT_EQ(pc.ReadFile("C:\\f.bin"), "abc");
}

TEST(SimFiles, CloseAndUnlinkResults) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    const win::HFILE file = win::_lcreat("C:\\f.bin", 0);
    EXPECT_EQ(win::_lclose(file), 0);
    EXPECT_EQ(win::_lclose(file), win::HFILE_ERROR);
    EXPECT_EQ(win::_lread(file, nullptr, 0), kUintError);
    EXPECT_EQ(win::GetLastError(), win::ERROR_INVALID_HANDLE);
    EXPECT_EQ(win::_unlink("C:\\f.bin"), 0);
    EXPECT_EQ(win::_unlink("C:\\f.bin"), -1);
    EXPECT_EQ(win::_unlink("C:\\WINDOWS"), -1);
}

TEST(SimFiles, FlushAcceptsAnHfileCastToAHandle) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    const win::HFILE file = win::_lcreat("C:\\f.bin", 0);
    win::_lwrite(file, "abc", 3);
    EXPECT_TRUE(win::FlushFileBuffers(win::FileHandle(file)));
    win::_lclose(file);
    EXPECT_FALSE(win::FlushFileBuffers(win::FileHandle(file)));
    EXPECT_EQ(win::GetLastError(), win::ERROR_INVALID_HANDLE);
}

TEST(SimFiles, MoveFileExReplacesOnlyWhenAsked) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    pc.WriteFile("C:\\new.cfg", "new");
    pc.WriteFile("C:\\CONFIG.CFG", "old");
    EXPECT_FALSE(win::MoveFileExA("C:\\new.cfg", "C:\\config.cfg", 0));
    EXPECT_EQ(win::GetLastError(), win::ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(win::MoveFileExA("C:\\new.cfg", "C:\\config.cfg", win::MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(pc.ReadFile("C:\\CONFIG.CFG"), "new");
    EXPECT_FALSE(pc.Exists("C:\\new.cfg"));
    EXPECT_FALSE(win::MoveFileExA("C:\\absent", "C:\\x", win::MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(win::GetLastError(), win::ERROR_FILE_NOT_FOUND);
}

TEST(SimFiles, CreateDirectoryAndAttributes) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    EXPECT_TRUE(win::CreateDirectoryA("C:\\Data", nullptr));
    EXPECT_FALSE(win::CreateDirectoryA("C:\\DATA", nullptr));
    EXPECT_EQ(win::GetLastError(), win::ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(win::CreateDirectoryA("C:\\no\\such", nullptr));
    EXPECT_EQ(win::GetLastError(), win::ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(win::GetFileAttributesA("c:\\data") & win::FILE_ATTRIBUTE_DIRECTORY,
              win::FILE_ATTRIBUTE_DIRECTORY);
    pc.WriteFile("C:\\Data\\f.txt", "x");
    EXPECT_EQ(win::GetFileAttributesA("C:\\data\\F.TXT") & win::FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(win::GetFileAttributesA("C:\\data\\missing"), win::INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(win::GetFileAttributesA("C:\\"), win::FILE_ATTRIBUTE_DIRECTORY);
}

TEST(SimFiles, PathsAreCaseInsensitiveAndNewNamesKeepTheirCase) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    pc.WriteFile("C:\\Program Files\\App\\Read Me.txt", "text");
    const win::HFILE file = win::_lopen("c:\\PROGRAM FILES\\app\\read me.TXT", win::OF_READ);
    ASSERT_NE(file, win::HFILE_ERROR);
    win::_lclose(file);
    const win::HFILE created = win::_lcreat("C:\\PROGRAM FILES\\APP\\NewFile.Txt", 0);
    win::_lclose(created);
    EXPECT_TRUE(std::filesystem::exists(pc.Directory() / "drives/c/Program Files/App/NewFile.Txt"));
    EXPECT_NE(win::GetFileAttributesA("C:\\Program Files\\.\\App\\..\\App\\newfile.txt"),
              win::INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(win::GetFileAttributesA("C:/program files/app/newfile.txt"),
              win::INVALID_FILE_ATTRIBUTES);
}

TEST(SimFiles, DotDotNeverLeavesTheDrive) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    EXPECT_EQ(win::GetFileAttributesA("C:\\..\\..\\..\\machine.ini"),
              win::INVALID_FILE_ATTRIBUTES);
    const win::HFILE file = win::_lcreat("C:\\..\\..\\escaped.txt", 0);
    EXPECT_NE(file, win::HFILE_ERROR);
    win::_lclose(file);
    EXPECT_TRUE(std::filesystem::exists(pc.Directory() / "drives/c/escaped.txt"));
}

TEST(SimFiles, FindListsDotsOutsideRootsAndMatchesWildcards) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    pc.WriteFile("C:\\Dir\\readme", "");
    pc.WriteFile("C:\\Dir\\a.txt", "");
    pc.WriteFile("C:\\Dir\\b.cfg", "");
    const std::set<std::string> all = {".", "..", "readme", "a.txt", "b.cfg"};
    EXPECT_EQ(List("C:\\Dir\\*"), all);
    EXPECT_EQ(List("C:\\dir\\*.*"), all);
    EXPECT_EQ(List("C:\\DIR\\*.TXT"), (std::set<std::string>{"a.txt"}));
    EXPECT_EQ(List("C:\\Dir\\?.cfg"), (std::set<std::string>{"b.cfg"}));
    EXPECT_EQ(List("C:\\Dir\\*."), (std::set<std::string>{".", "..", "readme"}));
    EXPECT_EQ(List("C:\\Dir\\README"), (std::set<std::string>{"readme"}));

    const std::set<std::string> root = List("C:\\*");
    EXPECT_EQ(root.count("."), 0u);
    EXPECT_EQ(root.count(".."), 0u);
    EXPECT_EQ(root.count("Dir"), 1u);
}

TEST(SimFiles, FindFirstOrder) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    pc.WriteFile("C:\\Dir\\x", "");
    win::WIN32_FIND_DATAA data{};
    win::HANDLE find = win::FindFirstFileA("C:\\Dir\\*", &data);
    ASSERT_NE(find, win::INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, ".");
    EXPECT_NE(data.dwFileAttributes & win::FILE_ATTRIBUTE_DIRECTORY, 0u);
    ASSERT_TRUE(win::FindNextFileA(find, &data));
    EXPECT_STREQ(data.cFileName, "..");
    ASSERT_TRUE(win::FindNextFileA(find, &data));
    EXPECT_STREQ(data.cFileName, "x");
    EXPECT_FALSE(win::FindNextFileA(find, &data));
    EXPECT_EQ(win::GetLastError(), win::ERROR_NO_MORE_FILES);
    EXPECT_TRUE(win::FindClose(find));
    EXPECT_FALSE(win::FindClose(find));
}

struct FindErrorCase {
    const char* pattern;
    win::DWORD error;
};

class SimFindErrors : public ::testing::TestWithParam<FindErrorCase> {};

TEST_P(SimFindErrors, FailWithTheDocumentedError) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    pc.WriteFile("C:\\file.txt", "x");
    pc.WriteFile("C:\\Empty\\keep", "");
    win::DWORD error = 0;
    EXPECT_TRUE(List(GetParam().pattern, &error).empty());
    EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, SimFindErrors,
    ::testing::Values(FindErrorCase{"C:\\missing\\*", win::ERROR_PATH_NOT_FOUND},
                      FindErrorCase{"C:\\file.txt\\*", win::ERROR_DIRECTORY},
                      FindErrorCase{"C:\\Empty\\*.xyz", win::ERROR_FILE_NOT_FOUND},
                      FindErrorCase{"Q:\\*", win::ERROR_PATH_NOT_FOUND}));

TEST(SimFiles, WindowsDirectorySizeRules) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(win::GetWindowsDirectoryA(buffer, 5), 11u);  // "C:\WINDOWS" + terminator
    EXPECT_EQ(buffer[0], '#');
    EXPECT_EQ(win::GetWindowsDirectoryA(buffer, 10), 11u);
    EXPECT_EQ(win::GetWindowsDirectoryA(buffer, 11), 10u);
    EXPECT_STREQ(buffer, "C:\\WINDOWS");
    EXPECT_EQ(win::GetSystemDirectoryA(buffer, sizeof buffer), 19u);
    EXPECT_STREQ(buffer, "C:\\WINDOWS\\SYSTEM32");
}

TEST(SimFiles, NineXSystemFolder) {
    TestMachine pc(winsim::Family::Win9x, TestMachine::Setup::Bare);
    char buffer[64];
    EXPECT_EQ(win::GetSystemDirectoryA(buffer, sizeof buffer), 17u);
    EXPECT_STREQ(buffer, "C:\\WINDOWS\\SYSTEM");
    EXPECT_NE(win::GetFileAttributesA("C:\\WINDOWS\\SYSTEM"), win::INVALID_FILE_ATTRIBUTES);
}

TEST(SimFiles, DrivesAndTheEmptyFloppy) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    EXPECT_EQ(win::GetLogicalDrives(), (1u << 0) | (1u << 2));
    EXPECT_EQ(win::GetDriveTypeA("A:\\"), win::DRIVE_REMOVABLE);
    EXPECT_EQ(win::GetDriveTypeA("C:\\"), win::DRIVE_FIXED);
    EXPECT_EQ(win::GetDriveTypeA("D:\\"), win::DRIVE_NO_ROOT_DIR);
    EXPECT_EQ(win::_lcreat("A:\\rescue.dat", 0), win::HFILE_ERROR);
    EXPECT_EQ(win::GetLastError(), win::ERROR_NOT_READY);
    EXPECT_EQ(win::GetFileAttributesA("A:\\"), win::INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(win::GetLastError(), win::ERROR_NOT_READY);

    pc.InsertBlankDisk('A');
    win::WIN32_FIND_DATAA data{};
    EXPECT_EQ(win::FindFirstFileA("A:\\*", &data), win::INVALID_HANDLE_VALUE);  // blank disk
    EXPECT_EQ(win::GetLastError(), win::ERROR_FILE_NOT_FOUND);
    const win::HFILE file = win::_lcreat("a:\\rescue.dat", 0);
    EXPECT_NE(file, win::HFILE_ERROR);
    win::_lclose(file);
    EXPECT_EQ(List("A:\\*"), (std::set<std::string>{"rescue.dat"}));
}

TEST(SimFiles, DriveMappedToAnyHostFolderWithAType) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    const std::filesystem::path cd = pc.Directory() / "cdrom";
    std::filesystem::create_directories(cd);
    { std::FILE* f = std::fopen((cd / "SETUP.EXE").c_str(), "w"); std::fclose(f); }
    pc.EditSettings([&](winsim::MachineSettings& settings) {
        settings.drives['D'] = {cd.string(), winsim::DriveKind::CdRom};
    });
    EXPECT_EQ(win::GetDriveTypeA("D:\\"), win::DRIVE_CDROM);
    EXPECT_NE(win::GetLogicalDrives() & (1u << 3), 0u);
    EXPECT_NE(win::GetFileAttributesA("d:\\setup.exe"), win::INVALID_FILE_ATTRIBUTES);
}

TEST(SimFiles, VersionFollowsTheFamily) {
    {
        TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
        win::OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof info;
        ASSERT_TRUE(win::GetVersionExA(&info));
        EXPECT_EQ(info.dwPlatformId, win::VER_PLATFORM_WIN32_NT);
        EXPECT_EQ(info.dwMajorVersion, 4u);
        EXPECT_EQ(info.dwMinorVersion, 0u);
        EXPECT_EQ(info.dwBuildNumber, 1381u);
        info.dwOSVersionInfoSize = 100;
        EXPECT_FALSE(win::GetVersionExA(&info));
        EXPECT_EQ(win::GetLastError(), win::ERROR_INSUFFICIENT_BUFFER);
        unsigned char extended[156] = {};
        const win::DWORD size = 156;
        std::memcpy(extended, &size, 4);
        EXPECT_TRUE(win::GetVersionExA(reinterpret_cast<win::OSVERSIONINFOA*>(extended)));
    }
    {
        TestMachine pc(winsim::Family::Win9x, TestMachine::Setup::Bare);
        win::OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof info;
        ASSERT_TRUE(win::GetVersionExA(&info));
        EXPECT_EQ(info.dwPlatformId, win::VER_PLATFORM_WIN32_WINDOWS);
        EXPECT_EQ(info.dwMajorVersion, 4u);
        EXPECT_EQ(info.dwMinorVersion, 10u);
    }
}

TEST(SimFiles, TimeAndProcessId) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    win::SYSTEMTIME now{};
    win::GetSystemTime(&now);
    EXPECT_GE(now.wYear, 2024);
    EXPECT_LE(now.wMonth, 12);
    const win::DWORD before = win::GetTickCount();
    win::Sleep(20);
    EXPECT_GE(win::GetTickCount() - before, 20u);
    EXPECT_EQ(win::GetCurrentProcessId(), static_cast<win::DWORD>(::getpid()));
}

}  // namespace
