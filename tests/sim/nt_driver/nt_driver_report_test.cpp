#include "sim/drivers/nt/nt_driver_report.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "common/config_header.h"
#include "halvgate/config/item_record.h"

namespace simnt {
namespace {

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(NtDriverReport, ItemCellsAreTheListTexts) {
    EXPECT_EQ(NtDriverReport::ItemCells({"C:\\DATA\\*", 1, 0xFFFB3F04}),
              (std::vector<std::string>{"C:\\DATA\\*", "Active", "Prompt", "No", "No", "No", "No",
                                        "No", "No", "No", "No", "No", "Yes"}));
    EXPECT_EQ(NtDriverReport::ItemCells({"X", 2, 0xFFF7DFFF})[1], "");
}

TEST(NtDriverReport, ShowTellsWhatIsEnforced) {
    NtDriverState state = NtDriverState::FromText("");
    state.protectionOn = false;
    state.itemFile = FileVerdict::Ok;
    state.header.SetIdleTimeSeconds(600);
    state.items = {{"C:\\DATA\\*", 1, 0xFFFB3F04}, {"C:\\\x01\"Q", 0, 0xFFFFFFFE}};
    state.unauthorizedModules = {"*"};
    state.slots[2].state = NtSlot::State::Pending;
    state.slots[2].record.SetPath("C:\\DATA\\A.TXT");

    const std::string text = NtDriverReport::ShowText(state);
    EXPECT_TRUE(Has(text, "Protection switch:         off"));
    EXPECT_TRUE(Has(text, "Idle time:                 600 seconds"));
    EXPECT_TRUE(
        Has(text, "  File/Folder  Status    Action   Overwrite  Open  Read  Modify  Append"))
        << text;
    EXPECT_TRUE(Has(text, "  C:\\DATA\\*    Active    Prompt   No"));
    EXPECT_TRUE(Has(text, "C:\\\\x01\"Q"));
    EXPECT_TRUE(Has(text, "Unauthorized modules (1)\n  *\n"));
    EXPECT_TRUE(Has(text, "2: pending"));
    EXPECT_TRUE(Has(text, "Monitor instance:          none"));
    state.instancePid = static_cast<std::uint32_t>(::getpid());
    EXPECT_TRUE(Has(NtDriverReport::ShowText(state), "(running)"));

    const std::string json = NtDriverReport::ShowJson(state);
    EXPECT_TRUE(Has(json, "\"protectionOn\": false"));
    EXPECT_TRUE(Has(json, "\"path\": \"C:\\\\\\u0001\\\"Q\""));
    EXPECT_TRUE(Has(json, "\"mask\": \"0xFFFB3F04\""));
    EXPECT_TRUE(Has(json, "\"unauthorizedModules\": [\"*\"]"));
    EXPECT_TRUE(Has(json, "\"slots\": [{\"slot\": 2"));
}

TEST(NtDriverReport, DumpDecodesEveryHeaderField) {
    halvern::ConfigHeader header;
    header.SetDefaults();
    header.SetIdleActivation(1);
    header.SetIdleTimeSeconds(600);
    header.SetLogonPasswordSet(1);
    header.LogonPassword()[0] = 0xAB;
    header.SetPromptAction(4);
    header.SetPasswordAction(3);
    header.StoreChecksum();
    std::vector<std::uint8_t> bytes(header.bytes.begin(), header.bytes.end());
    halvgate::ItemRecord record;
    record.SetPath("C:\\DATA\\*");
    record.SetStatus(1);
    record.SetMask(0xFFFB3F04);
    bytes.insert(bytes.end(), record.bytes.begin(), record.bytes.end());
    bytes.resize(bytes.size() + 7, 0);

    const std::string dump = NtDriverReport::DumpItemFile("DO2000IF.CFG", bytes);
    for (const char* line : {
             "    0  magic                   \"QUIB\"",
             "    4  format version          3",
             "    6  reserved                0",
             "   10  reserved                1",
             "   12  header size             102",
             "   16  item record size        402",
             "   20  protection status       1 (active)",
             "   22  start-up activation     1 (yes)",
             "   24  idle activation         1 (yes)",
             "   26  idle time               600 seconds",
             "   30  reserved                000000000000000000000000000000000000000000000000",
             "   54  logon password set      1 (yes)",
             "   56  logon password          AB000000000000000000000000000000",
             "   72  on-the-fly password set 0 (no)",
             "   90  prompt action           4 (only once for Yes or No)",
             "   94  password action         3 (ask only once for all items)",
             "(matches)",
             "Records: 1 (7 trailing bytes ignored)",
             "#0  path \"C:\\DATA\\*\"  status 1  mask 0xFFFB3F04",
             "Action=Prompt",
         }) {
        EXPECT_TRUE(Has(dump, line)) << line << "\n" << dump;
    }

    bytes[98] ^= 1;
    EXPECT_TRUE(Has(NtDriverReport::DumpItemFile("x", bytes), "DOES NOT MATCH"));
    bytes.resize(101);
    EXPECT_TRUE(Has(NtDriverReport::DumpItemFile("x", bytes), "Header: short (101 of 102"));
}

}  // namespace
}  // namespace simnt
