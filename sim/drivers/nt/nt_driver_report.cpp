#include "sim/drivers/nt/nt_driver_report.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "common/config_header.h"
#include "halvgate/config/item_columns.h"
#include "halvgate/config/item_converter.h"
#include "halvgate/config/item_record.h"
#include "sim/drivers/nt/nt_driver_store.h"
#include "ui/dialog.h"
#include "ui/list_view.h"

namespace simnt {
namespace {

using halvern::ConfigHeader;

std::string HexValue(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    char pair[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", b);
        text += pair;
    }
    return text;
}

// Texts of the machine are single-byte: anything unprintable is shown as \xNN.
std::string Printable(const std::string& text) {
    std::string out;
    char escape[8];
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out.push_back(static_cast<char>(c));
        } else {
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            out += escape;
        }
    }
    return out;
}

std::string Json(const std::string& text) {
    std::string out = "\"";
    char escape[8];
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else if (c < 0x20 || c >= 0x7F) {
            std::snprintf(escape, sizeof escape, "\\u%04X", c);
            out += escape;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out + "\"";
}

std::string JsonList(const std::vector<std::string>& names) {
    std::string out = "[";
    for (std::size_t i = 0; i < names.size(); ++i) {
        out += (i ? ", " : "") + Json(names[i]);
    }
    return out + "]";
}

const char* PromptActionName(std::uint32_t action) {
    switch (action) {
        case 1:
            return "always prompt";
        case 2:
            return "prompt only once per protected file/folder for Yes";
        case 3:
            return "only once for No";
        case 4:
            return "only once for Yes or No";
        default:
            return "unknown";
    }
}

const char* PasswordActionName(std::uint32_t action) {
    switch (action) {
        case 1:
            return "always ask";
        case 2:
            return "ask only once per protected file/folder";
        case 3:
            return "ask only once for all items";
        default:
            return "unknown";
    }
}

const char* YesNoWord(std::uint32_t value) {
    return value == 1 ? "yes" : (value == 0 ? "no" : "other");
}

// The settings of a header, one "label: value" line each.
void HeaderSettings(std::ostringstream& out, const ConfigHeader& h) {
    out << "  Protection status:         " << h.ProtectionStatus() << " ("
        << (h.ProtectionStatus() == 1 ? "active" : "inactive") << ")\n";
    out << "  Activate at start-up:      " << h.StartupActivation() << " ("
        << YesNoWord(h.StartupActivation()) << ")\n";
    out << "  Activate when idle:        " << h.IdleActivation() << " ("
        << YesNoWord(h.IdleActivation()) << ")\n";
    out << "  Idle time:                 " << h.IdleTimeSeconds() << " seconds\n";
    out << "  Logon password:            " << (h.LogonPasswordSet() == 1 ? "set" : "none") << "\n";
    out << "  On-the-fly password:       " << (h.FlyPasswordSet() == 1 ? "set" : "none") << "\n";
    out << "  Prompt action:             " << h.PromptAction() << " ("
        << PromptActionName(h.PromptAction()) << ")\n";
    out << "  Password action:           " << h.PasswordAction() << " ("
        << PasswordActionName(h.PasswordAction()) << ")\n";
}

// Items as a table with the list's headings, each column as wide as its widest cell.
void ItemTable(std::ostringstream& out, const std::vector<NtItem>& items) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> headings;
    for (const auto& column : halvgate::kNtItemColumns) {
        headings.push_back(column.heading);
    }
    rows.push_back(headings);
    for (const NtItem& item : items) {
        auto cells = NtDriverReport::ItemCells(item);
        cells[0] = Printable(cells[0]);
        rows.push_back(cells);
    }
    std::vector<std::size_t> widths(headings.size(), 0);
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], row[c].size());
        }
    }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += "  " + row[c] + std::string(widths[c] - row[c].size(), ' ');
        }
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        out << line << "\n";
    }
}

const char* SlotStateWord(NtSlot::State state) {
    switch (state) {
        case NtSlot::State::Pending:
            return "pending";
        case NtSlot::State::Answered:
            return "answered";
        case NtSlot::State::Free:
            break;
    }
    return "free";
}

}  // namespace

std::vector<std::string> NtDriverReport::ItemCells(const NtItem& item) {
    // The cells come from the item converter itself, over a list of the window's layout.
    ui::DialogTemplate tmpl;
    tmpl.controls.push_back({halvgate::IDC_ITEM_LIST, ui::ControlKind::ListView, "", 0, 0, 100, 100,
                             0, "IDC_ITEM_LIST"});
    ui::Dialog window(tmpl);
    ui::ListView& list = window.List(halvgate::IDC_ITEM_LIST);
    for (int i = 0; i < halvgate::kNtColumnCount; ++i) {
        list.InsertColumn(i, halvgate::kNtItemColumns[i].heading, ui::LVCFMT_CENTER,
                          halvgate::kNtItemColumns[i].width);
    }
    list.InsertItem(0, item.path);
    halvgate::CItemConverter().MaskToRow(list, item.mask, item.status, 0);
    std::vector<std::string> cells;
    for (int c = 0; c < halvgate::kNtColumnCount; ++c) {
        cells.push_back(list.GetItemText(0, c));
    }
    return cells;
}

std::string NtDriverReport::ShowText(const NtDriverState& state) {
    std::ostringstream out;
    out << "Protection driver \\\\.\\Halvgate (boot " << state.bootId << ")\n";
    out << "  Protection switch:         " << (state.protectionOn ? "on" : "off") << "\n";
    out << "  Status Active received:    " << (state.statusActive ? "yes" : "no") << "\n";
    out << "  Login only received:       " << (state.loginOnly ? "yes" : "no") << "\n";
    out << "  Monitor instance:          ";
    if (state.instancePid == 0) {
        out << "none\n";
    } else {
        out << "process " << state.instancePid
            << (ProcessAlive(state.instancePid, state.instanceStartTime)
                    ? " (running)\n"
                    : " (ended: the next monitor may run)\n");
    }
    out << "  Loader started this boot:  " << (state.loaderStarted ? "yes" : "no") << "\n";
    out << "  Loader copies:             " << state.loaderCopies << "\n";
    out << "  Reloads:                   " << state.reloads << "\n";
    out << "Configuration (DO2000IF.CFG: " << FileVerdictName(state.itemFile)
        << ", DO2000MF.CFG: " << FileVerdictName(state.moduleFile) << ")\n";
    HeaderSettings(out, state.header);
    out << "Protected items (" << state.items.size() << ")\n";
    ItemTable(out, state.items);
    out << "Authorized modules (" << state.authorizedModules.size() << ")\n";
    for (const std::string& name : state.authorizedModules) {
        out << "  " << Printable(name) << "\n";
    }
    out << "Unauthorized modules (" << state.unauthorizedModules.size() << ")\n";
    for (const std::string& name : state.unauthorizedModules) {
        out << "  " << Printable(name) << "\n";
    }
    out << "Request slots\n";
    bool any = false;
    for (std::size_t i = 0; i < state.slots.size(); ++i) {
        const NtSlot& slot = state.slots[i];
        if (slot.state == NtSlot::State::Free) {
            continue;
        }
        any = true;
        out << "  " << i << ": " << SlotStateWord(slot.state) << ", process "
            << Printable(slot.record.ProcessName()) << " on " << Printable(slot.record.Path());
        if (slot.state == NtSlot::State::Answered) {
            out << ", answer " << slot.answer;
        }
        out << "\n";
    }
    if (!any) {
        out << "  none held\n";
    }
    return out.str();
}

std::string NtDriverReport::ShowJson(const NtDriverState& state) {
    const ConfigHeader& h = state.header;
    std::ostringstream out;
    out << "{\n";
    out << "  \"boot\": " << state.bootId << ",\n";
    out << "  \"protectionOn\": " << (state.protectionOn ? "true" : "false") << ",\n";
    out << "  \"statusActive\": " << (state.statusActive ? "true" : "false") << ",\n";
    out << "  \"loginOnly\": " << (state.loginOnly ? "true" : "false") << ",\n";
    out << "  \"instancePid\": " << state.instancePid << ",\n";
    out << "  \"loaderStarted\": " << (state.loaderStarted ? "true" : "false") << ",\n";
    out << "  \"loaderCopies\": " << state.loaderCopies << ",\n";
    out << "  \"reloads\": " << state.reloads << ",\n";
    out << "  \"itemFile\": " << Json(std::string(FileVerdictName(state.itemFile))) << ",\n";
    out << "  \"moduleFile\": " << Json(std::string(FileVerdictName(state.moduleFile))) << ",\n";
    out << "  \"header\": {\"protectionStatus\": " << h.ProtectionStatus()
        << ", \"startupActivation\": " << h.StartupActivation()
        << ", \"idleActivation\": " << h.IdleActivation()
        << ", \"idleTimeSeconds\": " << h.IdleTimeSeconds()
        << ", \"logonPasswordSet\": " << h.LogonPasswordSet()
        << ", \"flyPasswordSet\": " << h.FlyPasswordSet()
        << ", \"promptAction\": " << h.PromptAction()
        << ", \"passwordAction\": " << h.PasswordAction() << "},\n";
    out << "  \"items\": [";
    for (std::size_t i = 0; i < state.items.size(); ++i) {
        const NtItem& item = state.items[i];
        const auto cells = ItemCells(item);
        out << (i ? ",\n" : "\n") << "    {\"path\": " << Json(item.path)
            << ", \"status\": " << item.status << ", \"mask\": " << Json(HexValue(item.mask))
            << ", \"cells\": " << JsonList(cells) << "}";
    }
    out << (state.items.empty() ? "],\n" : "\n  ],\n");
    out << "  \"authorizedModules\": " << JsonList(state.authorizedModules) << ",\n";
    out << "  \"unauthorizedModules\": " << JsonList(state.unauthorizedModules) << ",\n";
    out << "  \"slots\": [";
    bool first = true;
    for (std::size_t i = 0; i < state.slots.size(); ++i) {
        const NtSlot& slot = state.slots[i];
        if (slot.state == NtSlot::State::Free) {
            continue;
        }
        out << (first ? "" : ", ") << "{\"slot\": " << i
            << ", \"state\": " << Json(SlotStateWord(slot.state))
            << ", \"process\": " << Json(slot.record.ProcessName())
            << ", \"path\": " << Json(slot.record.Path()) << ", \"answer\": " << slot.answer << "}";
        first = false;
    }
    out << "]\n}\n";
    return out.str();
}

std::string NtDriverReport::DumpItemFile(const std::string& name,
                                         const std::vector<std::uint8_t>& bytes) {
    std::ostringstream out;
    out << name << ": " << bytes.size() << " bytes\n";
    if (bytes.size() < ConfigHeader::kSize) {
        out << "Header: short (" << bytes.size() << " of " << ConfigHeader::kSize
            << " bytes): Halvgate uses the defaults\nRecords: 0\n";
        return out.str();
    }
    ConfigHeader h;
    std::copy_n(bytes.begin(), ConfigHeader::kSize, h.bytes.begin());
    const std::string magic(h.bytes.begin(), h.bytes.begin() + ConfigHeader::kMagicSize);
    const auto row = [&out](std::size_t offset, const char* field, const std::string& value) {
        char at[8];
        std::snprintf(at, sizeof at, "%5zu", offset);
        out << at << "  " << field << std::string(24 - std::string(field).size(), ' ') << value
            << "\n";
    };
    const auto number = [](std::uint32_t v) { return std::to_string(v); };
    out << "Header\n";
    out << "offset  field                   value\n";
    row(ConfigHeader::kMagicOffset, "magic", "\"" + Printable(magic) + "\"");
    row(ConfigHeader::kVersionOffset, "format version", number(h.Version()));
    row(ConfigHeader::kReserved6Offset, "reserved", number(h.Word(ConfigHeader::kReserved6Offset)));
    row(ConfigHeader::kReserved8Offset, "reserved", number(h.Word(ConfigHeader::kReserved8Offset)));
    row(ConfigHeader::kReserved10Offset, "reserved",
        number(h.Word(ConfigHeader::kReserved10Offset)));
    row(ConfigHeader::kHeaderSizeOffset, "header size",
        number(h.Dword(ConfigHeader::kHeaderSizeOffset)));
    row(ConfigHeader::kItemRecordSizeOffset, "item record size",
        number(h.Dword(ConfigHeader::kItemRecordSizeOffset)));
    row(ConfigHeader::kProtectionStatusOffset, "protection status",
        number(h.ProtectionStatus()) + (h.ProtectionStatus() == 1 ? " (active)" : " (inactive)"));
    row(ConfigHeader::kStartupActivationOffset, "start-up activation",
        number(h.StartupActivation()) + " (" + YesNoWord(h.StartupActivation()) + ")");
    row(ConfigHeader::kIdleActivationOffset, "idle activation",
        number(h.IdleActivation()) + " (" + YesNoWord(h.IdleActivation()) + ")");
    row(ConfigHeader::kIdleTimeOffset, "idle time", number(h.IdleTimeSeconds()) + " seconds");
    row(ConfigHeader::kReserved30Offset, "reserved",
        HexBytes(
            h.Bytes().subspan(ConfigHeader::kReserved30Offset, ConfigHeader::kReserved30Size)));
    row(ConfigHeader::kLogonPasswordSetOffset, "logon password set",
        number(h.LogonPasswordSet()) + " (" + YesNoWord(h.LogonPasswordSet()) + ")");
    row(ConfigHeader::kLogonPasswordOffset, "logon password", HexBytes(h.LogonPassword()));
    row(ConfigHeader::kFlyPasswordSetOffset, "on-the-fly password set",
        number(h.FlyPasswordSet()) + " (" + YesNoWord(h.FlyPasswordSet()) + ")");
    row(ConfigHeader::kFlyPasswordOffset, "on-the-fly password", HexBytes(h.FlyPassword()));
    row(ConfigHeader::kPromptActionOffset, "prompt action",
        number(h.PromptAction()) + " (" + PromptActionName(h.PromptAction()) + ")");
    row(ConfigHeader::kPasswordActionOffset, "password action",
        number(h.PasswordAction()) + " (" + PasswordActionName(h.PasswordAction()) + ")");
    row(ConfigHeader::kChecksumOffset, "checksum",
        HexValue(h.StoredChecksum()) +
            (h.ChecksumMatches() ? " (matches)"
                                 : " (DOES NOT MATCH: computed " + HexValue(h.ComputeChecksum()) +
                                       "; Halvgate uses the defaults)"));

    constexpr std::size_t kRecordSize = halvgate::ItemRecord::kSize;
    const std::size_t count = (bytes.size() - ConfigHeader::kSize) / kRecordSize;
    const std::size_t trailing = (bytes.size() - ConfigHeader::kSize) % kRecordSize;
    out << "Records: " << count;
    if (trailing != 0) {
        out << " (" << trailing << " trailing bytes ignored)";
    }
    out << "\n";
    for (std::size_t i = 0; i < count; ++i) {
        halvgate::ItemRecord record;
        std::copy_n(
            bytes.begin() + static_cast<std::ptrdiff_t>(ConfigHeader::kSize + i * kRecordSize),
            kRecordSize, record.bytes.begin());
        const NtItem item{record.Path(), record.Status(), record.Mask()};
        const auto cells = ItemCells(item);
        out << "  #" << i << "  path \"" << Printable(item.path) << "\"  status " << item.status
            << "  mask " << HexValue(item.mask) << "\n     ";
        for (int c = 1; c < halvgate::kNtColumnCount; ++c) {
            out << " " << halvgate::kNtItemColumns[c].heading << "="
                << (cells[static_cast<std::size_t>(c)].empty()
                        ? "-"
                        : cells[static_cast<std::size_t>(c)]);
        }
        out << "\n";
    }
    return out.str();
}

}  // namespace simnt
