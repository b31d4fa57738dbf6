// Run Mode over a long counting loop on the headless display, with the full
// refresh of the register boxes and the memory dump after every step.
#include <benchmark/benchmark.h>

#include "emulator/engine.hpp"
#include "ui/headless.hpp"
#include "ui/registers.hpp"

namespace comet {
namespace {

// LEA GR1,0 / loop: ADD GR1,ONE / JMP loop / ONE: DC 1, with the dump showing `dumpWords` addresses.
void loadCountingLoop(Workbench& wb, int32_t dumpWords) {
    const int32_t words[] = {0x1210, 0x0000, 0x2110, 0x0006, 0x0100, 0x0002, 0x0001};
    int32_t a = 0;
    for (int32_t w : words) wb.memory.cells[static_cast<size_t>(a++) + 1].value = w;
    wb.locationCounter = dumpWords;
}

void BM_RunModeCountingLoop(benchmark::State& state) {
    const long steps = state.range(0);
    HeadlessDisplay display;
    Workbench wb;
    wb.display = &display;
    loadCountingLoop(wb, static_cast<int32_t>(state.range(1)));
    for (auto _ : state) {
        setBoxText(wb, kPcBox, u"0000");
        display.interruptAfter = steps;
        Command2_Click(wb);
        benchmark::DoNotOptimize(wb.regs.r[1]);
    }
    state.SetItemsProcessed(state.iterations() * steps);
    state.counters["instructions/s"] = benchmark::Counter(static_cast<double>(state.iterations() * steps),
                                                          benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RunModeCountingLoop)->Args({1'000'000, 7})->Args({1'000'000, 38})->Args({1'000'000, 200})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace comet
