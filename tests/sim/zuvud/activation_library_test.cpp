#include "common/activation_library.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/test_machine.h"

namespace {

using halvern::CActivationLibrary;
using halvern_test::TestMachine;

constexpr const char* kInstalled = "C:\\WINDOWS\\SYSTEM32\\zuvud.dll";

std::string Log(const TestMachine& pc) {
    std::ifstream in(pc.Directory() / "log" / "zuvud.log");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ActivationLibrary, TheSimulatedLibraryRecordsWhatItIsTold) {
    TestMachine pc;
    ASSERT_TRUE(pc.Exists(kInstalled)) << "halvern-machine init installs zuvud.dll";
    CActivationLibrary library;
    EXPECT_TRUE(library.RefreshSettings());
    EXPECT_TRUE(library.SetIdleTime(1, 600));
    EXPECT_TRUE(library.StartRun());
    std::uint32_t quit = 0;
    EXPECT_TRUE(library.GetQuit(quit));
    EXPECT_EQ(quit, 0u);
    std::ofstream(pc.Directory() / "zuvud.quit").put('\n');
    EXPECT_TRUE(library.GetQuit(quit));
    EXPECT_EQ(quit, 1u) << "the run loop ends once the machine says so";
    EXPECT_TRUE(library.EndRun());

    const std::string pid = std::to_string(::getpid());
    EXPECT_EQ(Log(pc), pid + " RefreshSettings\n" + pid + " SetIdleTime 1 600\n" + pid +
                           " StartRun\n" + pid + " GetQuit 1\n" + pid + " EndRun\n");
}

TEST(ActivationLibrary, AMissingLibraryMakesEveryCallANoOp) {
    TestMachine pc;
    pc.Remove(kInstalled);
    CActivationLibrary library;
    std::uint32_t quit = 0;
    EXPECT_FALSE(library.RefreshSettings());
    EXPECT_FALSE(library.SetIdleTime(1, 600));
    EXPECT_FALSE(library.StartRun());
    EXPECT_FALSE(library.GetQuit(quit));
    EXPECT_FALSE(library.EndRun());
    EXPECT_EQ(quit, 0u);
    EXPECT_EQ(Log(pc), "");
}

TEST(ActivationLibrary, ALibraryWithoutTheExportsMakesThoseCallsNoOps) {
    TestMachine pc;
    // A library that loads but exports none of the five functions.
    std::filesystem::copy_file(TestMachine::BinDirectory() / "libhalvern_nt_driver.so",
                               pc.HostPath(kInstalled),
                               std::filesystem::copy_options::overwrite_existing);
    CActivationLibrary library;
    std::uint32_t quit = 0;
    EXPECT_FALSE(library.RefreshSettings());
    EXPECT_FALSE(library.GetQuit(quit));
    EXPECT_FALSE(library.EndRun());
    EXPECT_EQ(Log(pc), "");
}

}  // namespace
