#include "common/file_util.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/fault_injecting_system.h"
#include "platform/system.h"
#include "tests/support/test_machine.h"

namespace halvern {
namespace {

using halvern_test::TestMachine;

std::string Pattern(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    }
    return data;
}

// Sizes around the 256-byte block: empty, one short block, one full block, two full blocks.
TEST(FileUtilCopy, CopiesEveryByteWhateverTheSize) {
    TestMachine pc;
    for (std::size_t size : {0u, 1u, 255u, 256u, 257u, 512u, 1000u}) {
        const std::string data = Pattern(size);
        pc.WriteFile("C:\\SRC\\DO2000IF.CFG", data);
        ASSERT_TRUE(CFileUtil().CopyFileContents("C:\\SRC\\DO2000IF.CFG", "C:\\WINDOWS\\COPY.CFG"))
            << size;
        EXPECT_EQ(pc.ReadFile("C:\\WINDOWS\\COPY.CFG"), data) << size;
        EXPECT_FALSE(pc.Exists("C:\\WINDOWS\\COPY.CFG.new")) << size;
    }
}

TEST(FileUtilCopy, ReplacesALongerDestinationCompletely) {
    TestMachine pc;
    pc.WriteFile("C:\\WINDOWS\\COPY.CFG", Pattern(3000));
    pc.WriteFile("C:\\SRC\\A.CFG", "short");
    ASSERT_TRUE(CFileUtil().CopyFileContents("C:\\SRC\\A.CFG", "C:\\WINDOWS\\COPY.CFG"));
    EXPECT_EQ(pc.ReadFile("C:\\WINDOWS\\COPY.CFG"), "short");
}

TEST(FileUtilCopy, MissingSourceLeavesTheDestinationAlone) {
    TestMachine pc;
    pc.WriteFile("C:\\WINDOWS\\COPY.CFG", "previous");
    EXPECT_FALSE(CFileUtil().CopyFileContents("C:\\SRC\\MISSING.CFG", "C:\\WINDOWS\\COPY.CFG"));
    EXPECT_EQ(pc.ReadFile("C:\\WINDOWS\\COPY.CFG"), "previous");
}

TEST(FileUtilCopy, UnwritableDestinationFolderFails) {
    TestMachine pc;
    pc.WriteFile("C:\\SRC\\A.CFG", "data");
    EXPECT_FALSE(CFileUtil().CopyFileContents("C:\\SRC\\A.CFG", "C:\\NO\\SUCH\\DIR\\A.CFG"));
}

// A copy that fails midway (a short write, a full disk) leaves the file that was there byte for
// byte, and no half-written replacement beside it.
TEST(FileUtilCopy, FailedWriteKeepsThePreviousDestination) {
    TestMachine pc;
    pc.WriteFile("C:\\SRC\\A.CFG", Pattern(600));
    pc.WriteFile("C:\\WINDOWS\\COPY.CFG", "previous configuration");
    for (int fault = 0; fault < 2; ++fault) {
        winsim::FaultInjectingSystem faults(pc.System());
        win::ScopedSystem installed(faults);
        if (fault == 0) {
            faults.ShortWrites(100);
        } else {
            faults.DiskFullAfter(300);
        }
        EXPECT_FALSE(CFileUtil().CopyFileContents("C:\\SRC\\A.CFG", "C:\\WINDOWS\\COPY.CFG"))
            << fault;
        EXPECT_GT(faults.FaultsInjected(), 0);
        EXPECT_EQ(pc.ReadFile("C:\\WINDOWS\\COPY.CFG"), "previous configuration") << fault;
        EXPECT_FALSE(pc.Exists("C:\\WINDOWS\\COPY.CFG.new")) << fault;
    }
}

TEST(FileUtilReadExact, TrueOnlyForTheExactCount) {
    TestMachine pc;
    pc.WriteFile("A:\\RESCUE.BIN", Pattern(20));
    char buffer[32] = {};
    EXPECT_TRUE(CFileUtil().ReadExact("A:\\RESCUE.BIN", buffer, 20));
    EXPECT_EQ(std::string(buffer, 20), Pattern(20));
    EXPECT_FALSE(CFileUtil().ReadExact("A:\\RESCUE.BIN", buffer, 21));
    EXPECT_FALSE(CFileUtil().ReadExact("A:\\MISSING.BIN", buffer, 20));
}

}  // namespace
}  // namespace halvern
