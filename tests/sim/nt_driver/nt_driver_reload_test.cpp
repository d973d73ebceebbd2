#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/config_header.h"
#include "common/driver_device.h"
#include "common/nt_control_codes.h"
#include "halvgate/config/config_file.h"
#include "halvgate/config/item_columns.h"
#include "halvgate/config/item_converter.h"
#include "halvgate/config/item_record.h"
#include "halvgate/res/protected_items_dialog_ids.h"
#include "halvgate/res/protected_items_dialog_resource.h"
#include "sim/drivers/nt/nt_driver_store.h"
#include "tests/sim/nt_driver/test_nt_machine.h"
#include "ui/dialog.h"
#include "ui/list_view.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using halvern::ConfigHeader;
using simnt::FileVerdict;
using simnt::NtDriverState;
using simnt::NtItem;

Bytes HeaderWithIdleTime(std::uint32_t seconds) {
    ConfigHeader header;
    header.SetDefaults();
    header.SetIdleTimeSeconds(seconds);
    header.StoreChecksum();
    return Bytes(header.bytes.begin(), header.bytes.end());
}

Bytes Record(const std::string& path, std::uint16_t status, std::uint32_t mask) {
    halvgate::ItemRecord record;
    record.SetPath(path);
    record.SetStatus(status);
    record.SetMask(mask);
    return Bytes(record.bytes.begin(), record.bytes.end());
}

Bytes ModuleRecord(std::uint16_t flag, const std::string& name) {
    Bytes b(22, 0);
    b[0] = static_cast<std::uint8_t>(flag);
    b[1] = static_cast<std::uint8_t>(flag >> 8);
    for (std::size_t i = 0; i < name.size() && i < 20; ++i) {
        b[2 + i] = static_cast<std::uint8_t>(name[i]);
    }
    return b;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

class NtDriverReloadTest : public ::testing::Test {
  protected:
    halvern_test::TestNtMachine machine_;

    NtDriverState Reload() {
        EXPECT_EQ(halvern::CDriverDevice().SendCommand(halvern::IOCTL_HALVGATE_RELOAD_CONFIG), 1);
        return simnt::NtDriverStore(machine_.Dir()).Read().value_or(NtDriverState{});
    }
};

TEST_F(NtDriverReloadTest, ItemsWrittenByHalvgateAreWhatTheDriverEnforces) {
    ui::Dialog window{halvgate::ProtectedItemsDialogTemplate()};
    ui::ListView& list = window.List(halvgate::IDC_ITEM_LIST);
    for (int i = 0; i < halvgate::kNtColumnCount; ++i) {
        list.InsertColumn(i, halvgate::kNtItemColumns[i].heading, ui::LVCFMT_CENTER, 50);
    }
    halvgate::CItemConverter converter;
    list.InsertItem(0, "C:\\DATA\\*", 5);
    converter.MaskToRow(list, 0xFFFB3F04, 1, 0);
    list.InsertItem(1, "C:\\SECRET.TXT", 5);
    converter.MaskToRow(list, 0xFFFFFFFE, 0, 1);

    halvgate::CConfigFile file;
    ConfigHeader header;
    header.SetDefaults();
    header.SetIdleActivation(1);
    header.SetIdleTimeSeconds(600);
    ASSERT_TRUE(file.WriteHeader("C:\\WINDOWS\\DO2000IF.CFG", header));
    ASSERT_TRUE(file.WriteItems("C:\\WINDOWS\\DO2000IF.CFG", list));
    machine_.WriteWindowsFile("DO2000MF.CFG",
                              Concat({ModuleRecord(0, "NOTEPAD"), ModuleRecord(1, "*")}));

    const NtDriverState state = Reload();
    EXPECT_EQ(state.itemFile, FileVerdict::Ok);
    EXPECT_EQ(state.header, header);
    EXPECT_EQ(state.items, (std::vector<NtItem>{{"C:\\DATA\\*", 1, 0xFFFB3F04},
                                                {"C:\\SECRET.TXT", 0, 0xFFFFFFFE}}));
    EXPECT_EQ(state.authorizedModules, std::vector<std::string>{"NOTEPAD"});
    EXPECT_EQ(state.unauthorizedModules, std::vector<std::string>{"*"});
    EXPECT_EQ(state.moduleFile, FileVerdict::Ok);
}

TEST_F(NtDriverReloadTest, BadFilesNeverStopTheDriver) {
    const Bytes twoItems = Concat({Record("C:\\A", 1, 0xFFFFFFFE), Record("C:\\B", 0, 0xFFFFFFFF)});
    Bytes badChecksum = HeaderWithIdleTime(600);
    ++badChecksum[98];
    Bytes unterminated = Record("", 1, 0xFFFFFFFE);
    std::fill(unterminated.begin(), unterminated.begin() + 384, static_cast<std::uint8_t>('u'));
    struct Case {
        const char* what;
        Bytes file;
        FileVerdict verdict;
        std::size_t items;
        std::uint32_t idleTime;
    } cases[] = {
        {"empty", {}, FileVerdict::Short, 0, 0},
        {"short header", Bytes(50, 0xFF), FileVerdict::Short, 0, 0},
        {"header alone", HeaderWithIdleTime(600), FileVerdict::Ok, 0, 600},
        {"trailing piece", Concat({HeaderWithIdleTime(60), twoItems, Bytes(401, 1)}),
         FileVerdict::Ok, 2, 60},
        {"wrong checksum keeps the items", Concat({badChecksum, twoItems}),
         FileVerdict::BadChecksum, 2, 0},
        {"garbage", Bytes(102 + 402 * 3, 0xA5), FileVerdict::BadChecksum, 3, 0},
        {"unterminated path", Concat({HeaderWithIdleTime(0), unterminated}), FileVerdict::Ok, 1, 0},
    };
    for (const Case& c : cases) {
        machine_.WriteWindowsFile("DO2000IF.CFG", c.file);
        const NtDriverState state = Reload();
        EXPECT_EQ(state.itemFile, c.verdict) << c.what;
        EXPECT_EQ(state.items.size(), c.items) << c.what;
        EXPECT_EQ(state.header.IdleTimeSeconds(), c.idleTime) << c.what;
        EXPECT_TRUE(state.header.ChecksumMatches()) << c.what << ": defaults replace a bad header";
    }
    EXPECT_EQ(Reload().items[0].path, std::string(255, 'u'));

    std::filesystem::remove(machine_.WindowsFile("DO2000IF.CFG"));
    const NtDriverState missing = Reload();
    EXPECT_EQ(missing.itemFile, FileVerdict::Missing);
    EXPECT_TRUE(missing.items.empty());
}

TEST_F(NtDriverReloadTest, ModuleListsAsTheProgramGuardWritesThem) {
    Bytes longName = ModuleRecord(0, "");
    std::fill(longName.begin() + 2, longName.end(), static_cast<std::uint8_t>('N'));
    machine_.WriteWindowsFile(
        "DO2000MF.CFG",
        Concat({ModuleRecord(0, "NOTEPAD"), ModuleRecord(7, "EVIL"), longName, Bytes(1, 0)}));
    const NtDriverState state = Reload();
    EXPECT_EQ(state.authorizedModules, (std::vector<std::string>{"NOTEPAD", std::string(20, 'N')}));
    EXPECT_EQ(state.unauthorizedModules, std::vector<std::string>{"EVIL"})
        << "any nonzero flag is unauthorized";

    machine_.WriteWindowsFile("DO2000MF.CFG", Bytes(21, 0));
    EXPECT_EQ(Reload().moduleFile, FileVerdict::Short);
    std::filesystem::remove(machine_.WindowsFile("DO2000MF.CFG"));
    const NtDriverState missing = Reload();
    EXPECT_EQ(missing.moduleFile, FileVerdict::Missing);
    EXPECT_TRUE(missing.authorizedModules.empty());
}

TEST_F(NtDriverReloadTest, ANewBootTakesUpTheFilesAsTheyAre) {
    machine_.WriteWindowsFile("DO2000IF.CFG",
                              Concat({HeaderWithIdleTime(0), Record("C:\\A", 1, 0xFFFFFFFE)}));
    machine_.NextBoot();
    const auto state = simnt::NtDriverStore(machine_.Dir()).Read();
    ASSERT_TRUE(state.has_value());
    EXPECT_EQ(state->items.size(), 1u);
}

}  // namespace
