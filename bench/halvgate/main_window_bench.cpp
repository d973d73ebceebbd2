// The protected items window on a simulated NT machine with its driver: the time from the
// start of the program's window to its first shown state, and the time of Apply, for item
// lists of 0, 500 and 5,000 items.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "common/config_header.h"
#include "halvgate/mainwindow/protected_items_dlg.h"
#include "halvgate/res/halvgate_resources.h"
#include "halvgate/res/protected_items_dialog_ids.h"
#include "tests/support/test_machine.h"
#include "ui/backend.h"
#include "ui/headless/headless_backend.h"
#include "ui/headless/script.h"

namespace {

using Clock = std::chrono::steady_clock;

// An item file of `count` No Access items in the machine's Windows folder.
void WriteItems(const halvern_test::TestMachine& pc, int count) {
    halvern::ConfigHeader header;
    header.SetDefaults();
    std::string bytes(header.bytes.begin(), header.bytes.end());
    for (int i = 0; i < count; ++i) {
        std::string record(402, '\0');
        const std::string path = "C:\\DATA\\FILE" + std::to_string(i) + ".TXT";
        record.replace(0, path.size(), path);
        record[384] = 1;
        const std::uint32_t mask = 0xFFFF3F04;
        for (int b = 0; b < 4; ++b) {
            record[static_cast<std::size_t>(386 + b)] = static_cast<char>((mask >> (8 * b)) & 0xFF);
        }
        bytes += record;
    }
    pc.WriteFile("C:\\WINDOWS\\DO2000IF.CFG", bytes);
}

void RunWindow(const ui::headless::Script& script) {
    ui::headless::HeadlessBackend backend(script);
    const ui::ScopedBackend installed(backend);
    halvgate::CProtectedItemsDlg window;
    window.DoModal();
}

void StartUpToFirstShownWindow(benchmark::State& state) {
    halvern_test::TestMachine pc;
    halvgate::RegisterHalvgateResources();
    WriteItems(pc, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Clock::time_point shown;
        ui::headless::Script script;
        script.Call([&](ui::Dialog&) { shown = Clock::now(); });
        script.Append("escape");
        const Clock::time_point start = Clock::now();
        RunWindow(script);
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
    }
}

void Apply(benchmark::State& state) {
    halvern_test::TestMachine pc;
    halvgate::RegisterHalvgateResources();
    WriteItems(pc, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        double seconds = 0;
        ui::headless::Script script;
        script.Call([&](ui::Dialog& dialog) {
            auto& window = dynamic_cast<halvgate::CProtectedItemsDlg&>(dialog);
            window.SetChangesPending();
            window.RefreshApplyButtons();
            const Clock::time_point start = Clock::now();
            dialog.UserClick(halvgate::IDC_APPLY);
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
        });
        script.Append("answer ok\nescape");
        RunWindow(script);
        state.SetIterationTime(seconds);
    }
}

BENCHMARK(StartUpToFirstShownWindow)
    ->Arg(0)
    ->Arg(500)
    ->Arg(5000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Apply)->Arg(0)->Arg(500)->Arg(5000)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
