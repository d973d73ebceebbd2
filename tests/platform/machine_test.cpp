// machine.ini, the choice of the machine folder, path resolution and the Windows rules of
// command lines and wildcards.
#include "platform/sim/machine.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/sim/command_line.h"
#include "platform/sim/wildcard.h"

namespace {

using winsim::MachineSettings;

TEST(MachineSettings, RoundTripAndDefaults) {
    MachineSettings settings;
    std::string error;
    ASSERT_TRUE(MachineSettings::Parse("family=9x\n", settings, error)) << error;
    EXPECT_EQ(settings.family, winsim::Family::Win9x);
    EXPECT_EQ(settings.systemDir, "C:\\WINDOWS\\SYSTEM");
    settings.drives['C'] = {"drives/c", winsim::DriveKind::Fixed};
    settings.drives['E'] = {"/mnt/cd", winsim::DriveKind::CdRom};
    settings.devices["nolx"] = {"/bin/lib9x.so", winsim::Family::Win9x};
    settings.bootId = 3;
    settings.SetExtraValue("future.key", "kept");
    MachineSettings back;
    ASSERT_TRUE(MachineSettings::Parse(settings.ToText(), back, error)) << error;
    EXPECT_EQ(back.ToText(), settings.ToText());
    EXPECT_EQ(back.ExtraValue("future.key"), "kept");
    EXPECT_EQ(back.FindDevice("NOLX")->library, "/bin/lib9x.so");
}

TEST(MachineSettings, ErrorsNameTheLine) {
    MachineSettings settings;
    std::string error;
    EXPECT_FALSE(MachineSettings::Parse("; c\nfamily=nt\nfamily=os2\n", settings, error));
    EXPECT_NE(error.find("line 3"), std::string::npos) << error;
    EXPECT_FALSE(MachineSettings::Parse("no equals sign\n", settings, error));
    EXPECT_FALSE(MachineSettings::Parse("drive.C.type=floppy\n", settings, error));
    EXPECT_FALSE(MachineSettings::Parse("device.x.family=nt\n", settings, error));
}

TEST(Machine, DefaultDirectoryFollowsTheEnvironment) {
    const char* savedMachine = std::getenv("HALVERN_MACHINE");
    const char* savedHome = std::getenv("HOME");
    const std::string machine = savedMachine ? savedMachine : "";
    const std::string home = savedHome ? savedHome : "";

    ::setenv("HALVERN_MACHINE", "/tmp/some-machine", 1);
    EXPECT_EQ(winsim::Machine::DefaultDirectory(), "/tmp/some-machine");
    ::unsetenv("HALVERN_MACHINE");
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(winsim::Machine::DefaultDirectory(), "/home/someone/.local/share/halvern/machine");
    ::setenv("HOME", "", 1);
    std::string note;
    const auto fallback = winsim::Machine::DefaultDirectory(&note);
    EXPECT_FALSE(fallback.empty());
    EXPECT_NE(note.find("HOME"), std::string::npos);

    savedMachine ? ::setenv("HALVERN_MACHINE", machine.c_str(), 1) : ::unsetenv("HALVERN_MACHINE");
    savedHome ? ::setenv("HOME", home.c_str(), 1) : ::unsetenv("HOME");
}

TEST(Machine, OpenExplainsAMissingMachine) {
    std::string error;
    EXPECT_FALSE(winsim::Machine::Open("/nonexistent/halvern/machine", error));
    EXPECT_NE(error.find("halvern-machine init"), std::string::npos) << error;
}

struct NormalCase {
    const char* path;
    const char* current;
    const char* normal;
};

class MachineNormalize : public ::testing::TestWithParam<NormalCase> {};

TEST_P(MachineNormalize, AsWindowsResolvesPaths) {
    std::string out;
    ASSERT_TRUE(winsim::Machine::Normalize(GetParam().path, GetParam().current, out));
    EXPECT_EQ(out, GetParam().normal);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, MachineNormalize,
    ::testing::Values(NormalCase{"c:\\a\\b", "C:\\", "C:\\a\\b"},
                      NormalCase{"C:/a/./b/../c", "C:\\", "C:\\a\\c"},
                      NormalCase{"C:\\..\\..", "C:\\", "C:\\"},
                      NormalCase{"file.txt", "C:\\WINDOWS", "C:\\WINDOWS\\file.txt"},
                      NormalCase{"\\x", "A:\\dir", "A:\\x"},
                      NormalCase{"C:x", "C:\\dir", "C:\\dir\\x"},
                      NormalCase{"C:\\dir\\", "C:\\", "C:\\dir"}));

TEST(CommandLine, SplitsAsWindowsDoes) {
    auto splits = winsim::SplitCommandLine("  \"C:\\Program Files\\A\\a.exe\"  x  y");
    ASSERT_EQ(splits.size(), 1u);
    EXPECT_EQ(splits[0].program, "C:\\Program Files\\A\\a.exe");
    EXPECT_EQ(splits[0].arguments, "x  y");
    splits = winsim::SplitCommandLine("C:\\Program Files\\a.exe arg");
    ASSERT_EQ(splits.size(), 3u);
    EXPECT_EQ(splits[0].program, "C:\\Program");
    EXPECT_EQ(splits[0].arguments, "Files\\a.exe arg");
    EXPECT_EQ(splits[1].program, "C:\\Program Files\\a.exe");
    EXPECT_EQ(splits[1].arguments, "arg");
    EXPECT_EQ(splits[2].arguments, "");
    EXPECT_TRUE(winsim::SplitCommandLine("   ").empty());
    EXPECT_EQ(winsim::ArgumentsAfterProgram("halvask.exe AskForAccess|7|"), "AskForAccess|7|");
    EXPECT_EQ(winsim::ArgumentsAfterProgram("\"a b\"c d"), "c d");
}

struct WildCase {
    const char* pattern;
    const char* name;
    bool matches;
};

class Wildcards : public ::testing::TestWithParam<WildCase> {};

TEST_P(Wildcards, FollowTheDosRules) {
    EXPECT_EQ(winsim::WildcardMatch(GetParam().pattern, GetParam().name), GetParam().matches)
        << GetParam().pattern << " vs " << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Wildcards,
    ::testing::Values(WildCase{"*", "anything", true}, WildCase{"*.*", "noext", true},
                      WildCase{"*.*", "a.b.c", true}, WildCase{"*.", "noext", true},
                      WildCase{"*.", "a.txt", false}, WildCase{"*.TXT", "read.me.txt", true},
                      WildCase{"*.txt", "a.txt.bak", false}, WildCase{"?.cfg", "a.cfg", true},
                      WildCase{"?.cfg", "ab.cfg", false}, WildCase{"file?.txt", "file.txt", true},
                      WildCase{"name.*", "name", true}, WildCase{"A?C", "abc", true},
                      WildCase{"abc", "ABD", false}, WildCase{"*.*", ".", true},
                      WildCase{"*.txt", "..", false}));

}  // namespace
