#include "halvgate/config/item_converter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "halvgate/config/item_columns.h"
#include "halvgate/res/protected_items_dialog_ids.h"
#include "halvgate/res/protected_items_dialog_resource.h"
#include "ui/dialog.h"
#include "ui/list_view.h"

namespace halvgate {
namespace {

constexpr int kRightBoxes[] = {
    IDC_RIGHT_CREATE,       IDC_RIGHT_OPEN,         IDC_RIGHT_READ,
    IDC_RIGHT_WRITE_MODIFY, IDC_RIGHT_WRITE_APPEND, IDC_RIGHT_EXECUTE,
    IDC_RIGHT_RENAME,       IDC_RIGHT_DELETE,       IDC_RIGHT_SET_ATTRIBUTE};

// The protected items window with the list columns of one family and one empty row.
class ItemConverterTest : public ::testing::Test {
  protected:
    ui::Dialog window_{ProtectedItemsDialogTemplate()};
    ui::ListView& list_ = window_.List(IDC_ITEM_LIST);
    CItemConverter converter_;

    void UseLayout(bool layout9x) {
        if (layout9x) {
            for (int i = 0; i < kColumnCount9x; ++i) {
                list_.InsertColumn(i, kItemColumns9x[i].heading, ui::LVCFMT_CENTER,
                                   kItemColumns9x[i].width);
            }
        } else {
            for (int i = 0; i < kNtColumnCount; ++i) {
                list_.InsertColumn(i, kNtItemColumns[i].heading, ui::LVCFMT_CENTER,
                                   kNtItemColumns[i].width);
            }
        }
        list_.InsertItem(0, "C:\\DATA\\A.TXT");
    }

    void SetBoxes(std::vector<int> checked, int action) {
        for (int id : kRightBoxes) {
            window_.CheckDlgButton(id, ui::BST_UNCHECKED);
        }
        window_.CheckDlgButton(IDC_RIGHT_INVISIBLE, ui::BST_UNCHECKED);
        window_.CheckDlgButton(IDC_RIGHT_RECURSIVE, ui::BST_UNCHECKED);
        for (int id : checked) {
            window_.CheckDlgButton(id, ui::BST_CHECKED);
        }
        for (int id : {IDC_ACTION_DISABLE, IDC_ACTION_PROMPT, IDC_ACTION_ASK_PASSWORD}) {
            window_.CheckDlgButton(id, id == action ? ui::BST_CHECKED : ui::BST_UNCHECKED);
        }
    }

    std::vector<std::string> Cells() const {
        std::vector<std::string> cells;
        for (int c = 1; c < list_.GetColumnCount(); ++c) {
            cells.push_back(list_.GetItemText(0, c));
        }
        return cells;
    }
};

TEST_F(ItemConverterTest, CheckBoxesGiveTheItemMasksOfTheExamples) {
    UseLayout(false);
    std::vector<int> all(std::begin(kRightBoxes), std::end(kRightBoxes));
    struct Case {
        std::vector<int> checked;
        int action;
        std::uint32_t mask;
    } cases[] = {
        {{IDC_RIGHT_READ}, IDC_ACTION_DISABLE, 0xFFFFFFFE},
        {all, IDC_ACTION_DISABLE, 0xFFFF3F04},
        {all, IDC_ACTION_PROMPT, 0xFFFB3F04},
        {{IDC_RIGHT_INVISIBLE}, IDC_ACTION_ASK_PASSWORD, 0xFFF7DFFF},
        {{}, IDC_ACTION_DISABLE, 0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        SetBoxes(c.checked, c.action);
        std::uint32_t mask = 0;
        EXPECT_EQ(converter_.MaskFromCheckBoxes(window_, mask), 1);
        EXPECT_EQ(mask, c.mask);
    }
}

TEST_F(ItemConverterTest, UncheckedRecursiveOn9xGivesItsMaskAndDriverMask) {
    UseLayout(true);
    SetBoxes({}, IDC_ACTION_DISABLE);
    std::uint32_t mask = 0;
    EXPECT_EQ(converter_.MaskFromCheckBoxes9x(window_, mask), 1);
    EXPECT_EQ(mask, 0xFFFEFFFFu);

    converter_.MaskToRow9x(list_, mask, 1, 0);
    EXPECT_EQ(list_.GetItemText(0, 2), "Disable");
    EXPECT_EQ(list_.GetItemText(0, 3), "No");
    DriverItemRecord record;
    converter_.RowToDriverRecord(list_, 0, record);
    EXPECT_EQ(record.Mask(), 0x1F8FFu);
    EXPECT_EQ(record.Status(), 1);
    EXPECT_EQ(record.Number(), 1u);

    SetBoxes({IDC_RIGHT_RECURSIVE}, IDC_ACTION_DISABLE);
    converter_.MaskFromCheckBoxes9x(window_, mask);
    EXPECT_EQ(mask, 0xFFFFFFFFu);
}

TEST_F(ItemConverterTest, MaskWithBothActionBitsClearChecksPromptAndAskPassword) {
    UseLayout(false);
    converter_.MaskToCheckBoxes(window_, 0xFFF3FFFE);
    EXPECT_EQ(window_.IsDlgButtonChecked(IDC_ACTION_PROMPT), ui::BST_CHECKED);
    EXPECT_EQ(window_.IsDlgButtonChecked(IDC_ACTION_ASK_PASSWORD), ui::BST_CHECKED);
    EXPECT_EQ(window_.IsDlgButtonChecked(IDC_ACTION_DISABLE), ui::BST_UNCHECKED);
    EXPECT_EQ(window_.IsDlgButtonChecked(IDC_RIGHT_READ), ui::BST_CHECKED);
    EXPECT_EQ(window_.IsDlgButtonChecked(IDC_RIGHT_OPEN), ui::BST_UNCHECKED);
    EXPECT_EQ(window_.IsDlgButtonChecked(IDC_RIGHT_INVISIBLE), ui::BST_UNCHECKED);

    converter_.MaskToRow(list_, 0xFFF3FFFE, 1, 0);
    EXPECT_EQ(list_.GetItemText(0, 2), "Prompt");

    converter_.MaskToCheckBoxes9x(window_, 0xFFFEDFFF);
    EXPECT_EQ(window_.IsDlgButtonChecked(IDC_ACTION_DISABLE), ui::BST_CHECKED);
    EXPECT_EQ(window_.IsDlgButtonChecked(IDC_RIGHT_INVISIBLE), ui::BST_CHECKED);
    EXPECT_EQ(window_.IsDlgButtonChecked(IDC_RIGHT_RECURSIVE), ui::BST_UNCHECKED);
}

TEST_F(ItemConverterTest, NtRowCellsOfAMask) {
    UseLayout(false);
    converter_.MaskToRow(list_, 0xFFFB3F04 & ~0x2000u, 1, 0);
    EXPECT_EQ(Cells(), (std::vector<std::string>{"Active", "Prompt", "No", "No", "No", "No", "No",
                                                 "No", "No", "No", "No", "No"}));
    converter_.MaskToRow(list_, 0xFFF7FFFE, 0, 0);
    EXPECT_EQ(Cells(), (std::vector<std::string>{"Inactive", "Password", "Yes", "Yes", "No", "Yes",
                                                 "Yes", "Yes", "Yes", "Yes", "Yes", "Yes"}));
}

TEST_F(ItemConverterTest, RowsGiveBackTheMasksTheyWereMadeFrom) {
    std::vector<std::uint32_t> masks = {0xFFFFFFFF, 0xFFFB3F04, 0xFFF7DFFF};
    for (const ItemRight& right : kAccessRights) {
        masks.push_back(~right.bit);
    }
    UseLayout(false);
    for (std::uint32_t mask : masks) {
        converter_.MaskToRow(list_, mask, 1, 0);
        std::uint32_t back = 0;
        EXPECT_EQ(converter_.MaskFromListRow(list_, 0, back), 1);
        EXPECT_EQ(back, mask);
        EXPECT_EQ(converter_.MaskFromRow(window_, 0, back), 1);
        EXPECT_EQ(back, mask);
    }
}

TEST_F(ItemConverterTest, NineXRowsGiveBackTheMasksTheyWereMadeFrom) {
    UseLayout(true);
    for (std::uint32_t mask : {0xFFFFFFFFu, 0xFFFEFFFFu, 0xFFFB3F04u, 0xFFF6DFFEu}) {
        converter_.MaskToRow9x(list_, mask, 0, 0);
        std::uint32_t back = 0;
        EXPECT_EQ(converter_.MaskFromRow9x(window_, 0, back), 0);
        EXPECT_EQ(back, mask);
    }
    converter_.MaskToRow9x(list_, 0xFFFEDFFF, 1, 0);
    EXPECT_EQ(list_.GetItemText(0, 3), "No") << "Recursive";
    EXPECT_EQ(list_.GetItemText(0, 13), "Yes") << "Invisible";
}

TEST_F(ItemConverterTest, StatusCodeTwoLeavesTheCellEmptyAndReadsBackAsInactive) {
    UseLayout(false);
    converter_.MaskToRow(list_, 0xFFFFFFFF, 2, 0);
    EXPECT_EQ(list_.GetItemText(0, 1), "");
    std::uint32_t mask = 0;
    EXPECT_EQ(converter_.MaskFromListRow(list_, 0, mask), 0);
}

TEST_F(ItemConverterTest, EmptyCellsCountAsPermittedAndAsTheDriverBase) {
    UseLayout(false);
    std::uint32_t mask = 0;
    EXPECT_EQ(converter_.MaskFromListRow(list_, 0, mask), 0);
    EXPECT_EQ(mask, 0xFFFFFFFFu);
    // Texts are compared exactly.
    list_.SetItemText(0, 2, "prompt");
    list_.SetItemText(0, 5, "no");
    converter_.MaskFromListRow(list_, 0, mask);
    EXPECT_EQ(mask, 0xFFFFFFFFu);

    list_.DeleteAllItems();
    while (list_.GetColumnCount() < kColumnCount9x) {
        list_.InsertColumn(list_.GetColumnCount(), "x", ui::LVCFMT_CENTER, 10);
    }
    list_.InsertItem(0, "C:\\X");
    list_.SetItemText(0, 6, "No");  // Read restricted, every other cell empty
    DriverItemRecord record;
    converter_.RowToDriverRecord(list_, 0, record);
    EXPECT_EQ(record.Mask(), 0xF8FEu);
    EXPECT_EQ(record.Status(), 0);
}

TEST_F(ItemConverterTest, RowTextGivesDriveAndUpperCasePath) {
    UseLayout(true);
    struct Case {
        const char* text;
        std::uint8_t drive;
        const char* path;
    } cases[] = {
        {"c:\\data\\*", 3, "\\DATA\\*"},
        {"\\\\server\\share", 0xFF, "\\\\SERVER\\SHARE"},
        {"a:", 1, ""},
        {"x", 0xFF, "X"},
        {"", 0xFF, ""},
    };
    for (const Case& c : cases) {
        list_.SetItemText(0, 0, c.text);
        DriverItemRecord record;
        record.bytes.fill(0xAA);
        converter_.RowToDriverRecord(list_, 0, record);
        EXPECT_EQ(record.Drive(), c.drive) << c.text;
        EXPECT_EQ(record.Path(), c.path) << c.text;
        EXPECT_EQ(record.bytes[261], 0) << "reserved bytes are zero";
        EXPECT_EQ(record.bytes[639], 0);
    }
}

TEST_F(ItemConverterTest, DriverRecordsBecomeRows) {
    UseLayout(true);
    DriverItemRecord record;
    record.SetDrive(3);
    record.SetPath("\\DATA\\*");
    record.SetStatus(7);
    record.SetMask(0xF8FF | 0x40000 | 0x80000 | 0x10000);
    converter_.DriverRecordToRow(record, list_, 0);
    EXPECT_EQ(list_.GetItemText(0, 0), "C:\\DATA\\*");
    EXPECT_EQ(Cells(), (std::vector<std::string>{"Inactive", "Password", "No", "Yes", "Yes", "Yes",
                                                 "Yes", "Yes", "Yes", "Yes", "Yes", "Yes", "No"}));

    record.SetDrive(0xFF);
    record.SetPath("\\\\SERVER\\SHARE");
    record.SetStatus(1);
    record.SetMask(0x40000 | 0x4);
    converter_.DriverRecordToRow(record, list_, 0);
    EXPECT_EQ(list_.GetItemText(0, 0), "\\\\SERVER\\SHARE");
    EXPECT_EQ(Cells(), (std::vector<std::string>{"Active", "Prompt", "Yes", "No", "No", "No", "No",
                                                 "No", "No", "No", "No", "No", "Yes"}));

    // Converting back gives the same driver mask and status.
    DriverItemRecord back;
    converter_.RowToDriverRecord(list_, 0, back);
    EXPECT_EQ(back.Mask(), 0x40000u | 0x4u | 0x800u | 0x1000u);
}

}  // namespace
}  // namespace halvgate
