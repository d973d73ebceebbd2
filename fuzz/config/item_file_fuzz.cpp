// The item file reader of Halvgate over any bytes: ReadHeader and ReadItems on a simulated PC.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "common/config_header.h"
#include "halvgate/config/config_file.h"
#include "halvgate/config/item_columns.h"
#include "halvgate/config/item_record.h"
#include "platform/sim/machine.h"
#include "platform/sim/sim_system.h"
#include "ui/dialog.h"
#include "ui/list_view.h"

namespace {

constexpr int kListId = 1021;

struct Machine {
    std::filesystem::path dir;
    std::unique_ptr<winsim::SimSystem> system;
};

Machine& TheMachine() {
    static Machine machine = [] {
        Machine m;
        std::string pattern =
            (std::filesystem::temp_directory_path() / "halvern-fuzz-XXXXXX").string();
        m.dir = ::mkdtemp(pattern.data());
        std::string error;
        auto created = winsim::Machine::Create(m.dir, winsim::Family::Nt, error);
        if (!created) {
            std::fprintf(stderr, "cannot create a machine: %s\n", error.c_str());
            std::abort();
        }
        m.system = std::make_unique<winsim::SimSystem>(*created);
        win::InstallSystem(m.system.get());
        return m;
    }();
    return machine;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Machine& machine = TheMachine();
    {
        std::ofstream out(machine.dir / "drives" / "c" / "WINDOWS" / "DO2000IF.CFG",
                          std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ui::DialogTemplate tmpl;
    tmpl.controls.push_back({kListId, ui::ControlKind::ListView, "", 0, 0, 100, 100, 0, "list"});
    ui::Dialog window(tmpl);
    ui::ListView& list = window.List(kListId);
    for (int i = 0; i < halvgate::kNtColumnCount; ++i) {
        list.InsertColumn(i, halvgate::kNtItemColumns[i].heading, ui::LVCFMT_CENTER, 50);
    }
    halvgate::CConfigFile file;
    halvern::ConfigHeader header;
    file.ReadHeader("C:\\WINDOWS\\DO2000IF.CFG", header);
    file.ReadItems("C:\\WINDOWS\\DO2000IF.CFG", list);
    const std::size_t records =
        size > halvern::ConfigHeader::kSize
            ? (size - halvern::ConfigHeader::kSize) / halvgate::ItemRecord::kSize
            : 0;
    if (static_cast<std::size_t>(list.GetItemCount()) != records) {
        std::abort();
    }
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetItemText(row, 0).size() > halvgate::ItemRecord::kPathMaxChars) {
            std::abort();
        }
    }
    return 0;
}
