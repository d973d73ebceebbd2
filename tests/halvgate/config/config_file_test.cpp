#include "halvgate/config/config_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "halvgate/config/item_columns.h"
#include "halvgate/config/item_converter.h"
#include "halvgate/res/protected_items_dialog_ids.h"
#include "halvgate/res/protected_items_dialog_resource.h"
#include "platform/win32_api.h"
#include "tests/sim/nt_driver/test_nt_machine.h"
#include "ui/dialog.h"
#include "ui/list_view.h"

namespace halvgate {
namespace {

using Bytes = std::vector<std::uint8_t>;
using halvern::ConfigHeader;

constexpr const char* kItemFile = "C:\\WINDOWS\\DO2000IF.CFG";

void PutLe(Bytes& b, std::size_t at, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A header block built by hand: the defaults with an idle time, and its checksum.
Bytes HeaderBytes(std::uint32_t idleSeconds) {
    Bytes b(102, 0);
    b[0] = 'Q', b[1] = 'U', b[2] = 'I', b[3] = 'B';
    PutLe(b, 4, 3, 2);
    PutLe(b, 10, 1, 2);
    PutLe(b, 12, 102, 4);
    PutLe(b, 16, 402, 4);
    PutLe(b, 20, 1, 2);
    PutLe(b, 22, 1, 2);
    PutLe(b, 26, idleSeconds, 4);
    PutLe(b, 90, 2, 4);
    PutLe(b, 94, 2, 4);
    std::uint32_t sum = 0;
    for (int i = 0; i < 98; ++i) {
        sum += b[static_cast<std::size_t>(i)];
    }
    PutLe(b, 98, sum ^ 0xABCDABCDu, 4);
    return b;
}

Bytes RecordBytes(const std::string& path, std::uint16_t status, std::uint32_t mask) {
    Bytes b(402, 0);
    for (std::size_t i = 0; i < path.size(); ++i) {
        b[i] = static_cast<std::uint8_t>(path[i]);
    }
    PutLe(b, 384, status, 2);
    PutLe(b, 386, mask, 4);
    return b;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

class ConfigFileTest : public ::testing::Test {
  protected:
    halvern_test::TestNtMachine machine_;
    ui::Dialog window_{ProtectedItemsDialogTemplate()};
    ui::ListView& list_ = window_.List(IDC_ITEM_LIST);
    CConfigFile file_;

    ConfigFileTest() {
        for (int i = 0; i < kNtColumnCount; ++i) {
            list_.InsertColumn(i, kNtItemColumns[i].heading, ui::LVCFMT_CENTER,
                               kNtItemColumns[i].width);
        }
    }

    void AddRow(const std::string& path, std::uint32_t mask, unsigned status) {
        const int row = list_.InsertItem(list_.GetItemCount(), path, 5);
        CItemConverter().MaskToRow(list_, mask, status, row);
    }
    Bytes ItemFile() const { return machine_.ReadWindowsFile("DO2000IF.CFG"); }
};

TEST_F(ConfigFileTest, ReadHeaderTakesOnlyAWholeBlockWithItsChecksum) {
    ConfigHeader header;
    EXPECT_FALSE(file_.ReadHeader(kItemFile, header)) << "missing";

    Bytes shortHeader = HeaderBytes(600);
    shortHeader.pop_back();
    machine_.WriteWindowsFile("DO2000IF.CFG", shortHeader);
    EXPECT_FALSE(file_.ReadHeader(kItemFile, header)) << "short";

    Bytes offByOne = HeaderBytes(600);
    ++offByOne[98];
    machine_.WriteWindowsFile("DO2000IF.CFG", offByOne);
    EXPECT_FALSE(file_.ReadHeader(kItemFile, header)) << "checksum off by one";

    machine_.WriteWindowsFile("DO2000IF.CFG", Concat({HeaderBytes(600), Bytes(7, 0xAB)}));
    EXPECT_TRUE(file_.ReadHeader(kItemFile, header));
    EXPECT_EQ(header.IdleTimeSeconds(), 600u);
    EXPECT_EQ(Bytes(header.bytes.begin(), header.bytes.end()), HeaderBytes(600));
}

TEST_F(ConfigFileTest, DefaultHeaderReplacesABadOne) {
    ConfigHeader header;
    file_.SetDefaultHeader(header);
    EXPECT_EQ(Bytes(header.bytes.begin(), header.bytes.end()), HeaderBytes(0));
    EXPECT_EQ(file_.HeaderChecksum(header), header.StoredChecksum());
}

TEST_F(ConfigFileTest, ReadItemsTakesWholeRecordsOnly) {
    const Bytes records = Concat({RecordBytes("C:\\WINDOWS", 1, 0xFFFFFFFE),
                                  RecordBytes("C:\\DATA\\*", 0, 0xFFFB3F04),
                                  RecordBytes("C:\\NOTHERE.TXT", 2, 0xFFF7FFFF)});
    machine_.WriteWindowsFile("DO2000IF.CFG", Concat({HeaderBytes(0), records, Bytes(100, 0x55)}));
    EXPECT_TRUE(file_.ReadItems(kItemFile, list_));
    ASSERT_EQ(list_.GetItemCount(), 3);
    EXPECT_EQ(list_.GetItemText(0, 0), "C:\\WINDOWS");
    EXPECT_EQ(list_.GetItemImage(0), 0) << "an existing folder";
    EXPECT_EQ(list_.GetItemImage(1), 5);
    EXPECT_EQ(list_.GetItemImage(2), 5) << "a missing path";
    EXPECT_EQ(list_.GetItemText(0, 1), "Active");
    EXPECT_EQ(list_.GetItemText(0, 5), "No");
    EXPECT_EQ(list_.GetItemText(1, 1), "Inactive");
    EXPECT_EQ(list_.GetItemText(1, 2), "Prompt");
    EXPECT_EQ(list_.GetItemText(2, 1), "") << "status code 2";
    EXPECT_EQ(list_.GetItemText(2, 2), "Password");
}

TEST_F(ConfigFileTest, ReadItemsOfFilesWithoutRecords) {
    struct Case {
        std::size_t size;
        bool result;
    } cases[] = {{0, false}, {50, false}, {102, false}, {103, true}, {503, true}};
    for (const Case& c : cases) {
        Bytes bytes = HeaderBytes(0);
        bytes.resize(c.size, 0x41);
        machine_.WriteWindowsFile("DO2000IF.CFG", bytes);
        list_.DeleteAllItems();
        EXPECT_EQ(file_.ReadItems(kItemFile, list_), c.result) << c.size;
        EXPECT_EQ(list_.GetItemCount(), 0) << c.size;
    }
    std::filesystem::remove(machine_.WindowsFile("DO2000IF.CFG"));
    EXPECT_FALSE(file_.ReadItems(kItemFile, list_));
}

TEST_F(ConfigFileTest, APathWithoutTerminatorIsReadWithinItsField) {
    Bytes record = RecordBytes("", 1, 0xFFFFFFFF);
    std::fill(record.begin(), record.begin() + 384, static_cast<std::uint8_t>('p'));
    machine_.WriteWindowsFile("DO2000IF.CFG", Concat({HeaderBytes(0), record}));
    EXPECT_TRUE(file_.ReadItems(kItemFile, list_));
    ASSERT_EQ(list_.GetItemCount(), 1);
    EXPECT_EQ(list_.GetItemText(0, 0), std::string(255, 'p'));
}

TEST_F(ConfigFileTest, WriteHeaderKeepsTheRecordsBehindIt) {
    const Bytes tail = Concat({RecordBytes("C:\\A", 1, 0xFFFFFFFE), Bytes(9, 0x99)});
    machine_.WriteWindowsFile("DO2000IF.CFG", Concat({HeaderBytes(0), tail}));
    ConfigHeader header;
    header.SetDefaults();
    header.SetIdleTimeSeconds(600);
    EXPECT_TRUE(file_.WriteHeader(kItemFile, header));
    EXPECT_EQ(ItemFile(), Concat({HeaderBytes(600), tail}));
    EXPECT_TRUE(header.ChecksumMatches()) << "the caller's header gets the checksum";

    header.SetIdleTimeSeconds(60);
    EXPECT_TRUE(file_.ReplaceHeader(kItemFile, header));
    EXPECT_EQ(ItemFile(), Concat({HeaderBytes(60), tail}));

    std::filesystem::remove(machine_.WindowsFile("DO2000IF.CFG"));
    EXPECT_TRUE(file_.ReplaceHeader(kItemFile, header));
    EXPECT_EQ(ItemFile(), HeaderBytes(60)) << "a missing file gets the header alone";
}

TEST_F(ConfigFileTest, ReplacingTheItemFileWritesHeaderAndRowsExactly) {
    // A longer old file: no stale record may survive.
    machine_.WriteWindowsFile(
        "DO2000IF.CFG", Concat({HeaderBytes(5), RecordBytes("C:\\OLD1", 1, 0),
                                RecordBytes("C:\\OLD2", 1, 0), RecordBytes("C:\\OLD3", 1, 0)}));
    AddRow("C:\\DATA\\*", 0xFFFB3F04, 1);
    AddRow(std::string(300, 'L'), 0xFFFFFFFE, 2);
    ConfigHeader header;
    header.SetDefaults();
    EXPECT_TRUE(file_.ReplaceItemFile(kItemFile, header, list_));
    EXPECT_EQ(ItemFile(), Concat({HeaderBytes(0), RecordBytes("C:\\DATA\\*", 1, 0xFFFB3F04),
                                  RecordBytes(std::string(254, 'L'), 0, 0xFFFFFFFE)}));
    EXPECT_FALSE(std::filesystem::exists(machine_.WindowsFile("DO2000IF.CFG.new")));

    list_.DeleteAllItems();
    EXPECT_TRUE(file_.ReplaceItemFile(kItemFile, header, list_));
    EXPECT_EQ(ItemFile().size(), 102u) << "an empty Apply leaves the header alone";
}

TEST_F(ConfigFileTest, WrittenItemsReadBackAsTheSameRows) {
    AddRow("C:\\DATA\\*", 0xFFFB3F04, 1);
    AddRow("C:\\WINDOWS", 0xFFF7DFFF, 0);
    ConfigHeader header;
    header.SetDefaults();
    ASSERT_TRUE(file_.WriteHeader(kItemFile, header));
    ASSERT_TRUE(file_.WriteItems(kItemFile, list_));

    ui::Dialog other{ProtectedItemsDialogTemplate()};
    ui::ListView& back = other.List(IDC_ITEM_LIST);
    for (int i = 0; i < kNtColumnCount; ++i) {
        back.InsertColumn(i, kNtItemColumns[i].heading, ui::LVCFMT_CENTER, 50);
    }
    EXPECT_TRUE(file_.ReadItems(kItemFile, back));
    ASSERT_EQ(back.GetItemCount(), 2);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < kNtColumnCount; ++column) {
            EXPECT_EQ(back.GetItemText(row, column), list_.GetItemText(row, column));
        }
    }
    EXPECT_EQ(back.GetItemImage(1), 0);
}

TEST_F(ConfigFileTest, WriteItemsNeedsAnExistingFile) {
    AddRow("C:\\A", 0xFFFFFFFF, 1);
    EXPECT_FALSE(file_.WriteItems(kItemFile, list_));
    EXPECT_FALSE(machine_.HasWindowsFile("DO2000IF.CFG"));
}

// A machine whose disk fills after a number of bytes, or whose renames fail.
class FaultySystem : public winsim::SimSystem {
  public:
    using SimSystem::SimSystem;
    long bytesLeft = -1;  // -1: no limit
    bool failRename = false;
    int readsLeft = -1;  // reads that succeed before every read comes back short; -1: all

    win::UINT _lread(win::HFILE file, win::LPVOID buffer, win::UINT count) override {
        if (readsLeft == 0) {
            return count > 0 ? SimSystem::_lread(file, buffer, count - 1) : 0;
        }
        if (readsLeft > 0) {
            --readsLeft;
        }
        return SimSystem::_lread(file, buffer, count);
    }

    win::UINT _lwrite(win::HFILE file, win::LPCSTR buffer, win::UINT count) override {
        if (bytesLeft >= 0) {
            const auto allowed = static_cast<win::UINT>(std::min<long>(bytesLeft, count));
            bytesLeft -= allowed;
            return allowed == 0 ? 0 : SimSystem::_lwrite(file, buffer, allowed);
        }
        return SimSystem::_lwrite(file, buffer, count);
    }
    win::BOOL MoveFileExA(win::LPCSTR from, win::LPCSTR to, win::DWORD flags) override {
        return failRename ? win::FALSE : SimSystem::MoveFileExA(from, to, flags);
    }
};

TEST_F(ConfigFileTest, AFailedReplacementLeavesThePreviousFileByteForByte) {
    const Bytes previous = Concat({HeaderBytes(5), RecordBytes("C:\\KEEP", 1, 0xFFFFFFFE)});
    machine_.WriteWindowsFile("DO2000IF.CFG", previous);
    AddRow("C:\\NEW1", 0xFFFB3F04, 1);
    AddRow("C:\\NEW2", 0xFFFB3F04, 1);

    std::string error;
    auto machine = winsim::Machine::Open(machine_.Dir(), error);
    ASSERT_TRUE(machine.has_value());
    FaultySystem faulty(*machine);
    win::ScopedSystem scoped(faulty);
    ConfigHeader header;
    header.SetDefaults();
    for (long limit : {0L, 50L, 102L, 102L + 402L + 10L}) {
        faulty.bytesLeft = limit;
        EXPECT_FALSE(file_.ReplaceItemFile(kItemFile, header, list_)) << limit;
        EXPECT_EQ(ItemFile(), previous) << limit;
        EXPECT_FALSE(file_.ReplaceHeader(kItemFile, header)) << limit;
        EXPECT_EQ(ItemFile(), previous) << limit;
    }
    faulty.bytesLeft = -1;
    faulty.failRename = true;
    EXPECT_FALSE(file_.ReplaceItemFile(kItemFile, header, list_));
    EXPECT_FALSE(file_.ReplaceHeader(kItemFile, header));
    EXPECT_EQ(ItemFile(), previous);
    EXPECT_FALSE(std::filesystem::exists(machine_.WindowsFile("DO2000IF.CFG.new")));
}

TEST_F(ConfigFileTest, AShortReadKeepsTheRowsReadSoFar) {
    machine_.WriteWindowsFile(
        "DO2000IF.CFG", Concat({HeaderBytes(0), RecordBytes("C:\\A", 1, 0xFFFFFFFE),
                                RecordBytes("C:\\B", 1, 0xFFFFFFFE), RecordBytes("C:\\C", 1, 0)}));
    std::string error;
    auto machine = winsim::Machine::Open(machine_.Dir(), error);
    ASSERT_TRUE(machine.has_value());
    FaultySystem faulty(*machine);
    win::ScopedSystem scoped(faulty);
    faulty.readsLeft = 2;
    EXPECT_FALSE(file_.ReadItems(kItemFile, list_));
    ASSERT_EQ(list_.GetItemCount(), 2);
    EXPECT_EQ(list_.GetItemText(1, 0), "C:\\B");

    faulty.readsLeft = 0;
    ConfigHeader header;
    EXPECT_FALSE(file_.ReadHeader(kItemFile, header));
}

TEST_F(ConfigFileTest, PathsFromTheWindowsDirectory) {
    std::string item = "unchanged";
    std::string module = "unchanged";
    EXPECT_TRUE(file_.BuildConfigPaths(item, module));
    EXPECT_EQ(item, "C:\\WINDOWS\\DO2000IF.CFG");
    EXPECT_EQ(module, "C:\\WINDOWS\\DO2000MF.CFG");

    struct Case {
        std::string windowsDir;
        bool built;
        std::string item;
    } cases[] = {
        {"", false, "unchanged"},  // GetWindowsDirectoryA returns 0
        {"C:\\", true, "C:\\DO2000IF.CFG"},
        {"C:\\" + std::string(239, 'W'), true, "C:\\" + std::string(239, 'W') + "\\DO2000IF.CFG"},
        {"C:\\" + std::string(240, 'W'), false, "unchanged"},  // 256 characters with the name
        {"C:\\" + std::string(257, 'W'), false, "unchanged"},  // 260: beyond the buffer
    };
    for (const Case& c : cases) {
        std::string error;
        auto machine = winsim::Machine::Open(machine_.Dir(), error);
        ASSERT_TRUE(machine.has_value());
        machine->MutableSettings().windowsDir = c.windowsDir;
        winsim::SimSystem system(*machine);
        win::ScopedSystem scoped(system);
        item = module = "unchanged";
        EXPECT_EQ(file_.BuildConfigPaths(item, module), c.built) << c.windowsDir.size();
        EXPECT_EQ(item, c.item);
    }
}

}  // namespace
}  // namespace halvgate
