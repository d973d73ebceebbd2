// What Halvgate writes, the driver reloads and `halvern-machine show` reports; `config dump`
// decodes the same file.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "common/config_header.h"
#include "common/driver_device.h"
#include "common/nt_control_codes.h"
#include "halvgate/config/config_file.h"
#include "halvgate/config/item_columns.h"
#include "halvgate/config/item_converter.h"
#include "halvgate/res/protected_items_dialog_ids.h"
#include "halvgate/res/protected_items_dialog_resource.h"
#include "tests/support/test_machine.h"
#include "ui/dialog.h"
#include "ui/list_view.h"

namespace {

using halvern_test::TestMachine;

struct ToolRun {
    int status = -1;
    std::string output;
};

ToolRun Tool(const TestMachine& pc, const std::string& args) {
    const std::string line = "HALVERN_MACHINE='" + pc.Directory().string() + "' '" +
                             (TestMachine::BinDirectory() / "halvern-machine").string() + "' " +
                             args + " 2>&1";
    ToolRun run;
    FILE* pipe = ::popen(line.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        run.output.append(buffer.data(), n);
    }
    run.status = ::pclose(pipe);
    return run;
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class ShowAndDumpTest : public ::testing::Test {
  protected:
    TestMachine pc_;

    void WriteAndReload() {
        ui::Dialog window{halvgate::ProtectedItemsDialogTemplate()};
        ui::ListView& list = window.List(halvgate::IDC_ITEM_LIST);
        for (int i = 0; i < halvgate::kNtColumnCount; ++i) {
            list.InsertColumn(i, halvgate::kNtItemColumns[i].heading, ui::LVCFMT_CENTER, 50);
        }
        halvgate::CItemConverter converter;
        list.InsertItem(0, "C:\\DATA\\*");
        converter.MaskToRow(list, 0xFFFB3F04, 1, 0);
        list.InsertItem(1, "C:\\SECRET.TXT");
        converter.MaskToRow(list, 0xFFFFFFFE, 0, 1);
        halvern::ConfigHeader header;
        header.SetDefaults();
        header.SetIdleActivation(1);
        header.SetIdleTimeSeconds(600);
        halvgate::CConfigFile file;
        ASSERT_TRUE(file.WriteHeader("C:\\WINDOWS\\DO2000IF.CFG", header));
        ASSERT_TRUE(file.WriteItems("C:\\WINDOWS\\DO2000IF.CFG", list));
        halvern::CDriverDevice device;
        ASSERT_EQ(device.SendCommand(halvern::IOCTL_HALVGATE_RELOAD_CONFIG), 1);
        ASSERT_EQ(device.SendCommand(halvern::IOCTL_HALVGATE_PROTECTION_OFF), 1);
    }
};

TEST_F(ShowAndDumpTest, ShowReportsWhatTheDriverReloaded) {
    WriteAndReload();
    const ToolRun text = Tool(pc_, "show");
    EXPECT_EQ(text.status, 0) << text.output;
    for (const char* part : {
             "Protection switch:         off",
             "DO2000IF.CFG: ok",
             "Activate when idle:        1 (yes)",
             "Idle time:                 600 seconds",
             "Protected items (2)",
             "  File/Folder    Status    Action   Overwrite  Open  Read  Modify  Append  Exec  "
             "Rename  Delete  Attrib  Visible",
             "  C:\\DATA\\*      Active    Prompt   No         No    No    No      No      No    "
             "No      No      No      Yes",
             "  C:\\SECRET.TXT  Inactive  Disable  Yes        Yes   No    Yes     Yes     Yes   "
             "Yes     Yes     Yes     Yes",
         }) {
        EXPECT_TRUE(Has(text.output, part)) << part << "\n" << text.output;
    }

    const ToolRun json = Tool(pc_, "show --json");
    EXPECT_EQ(json.status, 0);
    EXPECT_TRUE(Has(json.output, "\"protectionOn\": false"));
    EXPECT_TRUE(Has(json.output,
                    "{\"path\": \"C:\\\\SECRET.TXT\", \"status\": 0, \"mask\": "
                    "\"0xFFFFFFFE\""))
        << json.output;
    EXPECT_EQ(Tool(pc_, "show --xml").status >> 8, 2) << "wrong usage";
}

TEST_F(ShowAndDumpTest, DumpDecodesAFileOfTheMachineOrOfTheHost) {
    WriteAndReload();
    const ToolRun dump = Tool(pc_, "config dump 'C:\\WINDOWS\\DO2000IF.CFG'");
    EXPECT_EQ(dump.status, 0) << dump.output;
    for (const char* part :
         {"906 bytes", "magic                   \"QUIB\"", "idle time               600 seconds",
          "(matches)", "Records: 2", "#1  path \"C:\\SECRET.TXT\"  status 0  mask 0xFFFFFFFE"}) {
        EXPECT_TRUE(Has(dump.output, part)) << part << "\n" << dump.output;
    }
    const ToolRun host =
        Tool(pc_, "config dump '" + pc_.HostPath("C:\\WINDOWS\\DO2000IF.CFG").string() + "'");
    EXPECT_EQ(host.status, 0);
    EXPECT_TRUE(Has(host.output, "Records: 2"));

    EXPECT_EQ(Tool(pc_, "config dump 'C:\\WINDOWS\\NOTHERE.CFG'").status >> 8, 1);
    EXPECT_EQ(Tool(pc_, "config dump").status >> 8, 2);
    EXPECT_EQ(Tool(pc_, "config load x").status >> 8, 2);
}

}  // namespace
