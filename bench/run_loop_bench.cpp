// Run Mode over long loops on the headless display, with every display exactly as if
// refreshed after each step, against the plain rebuild of every display per step; and
// the same run with every debugging aid on.
#include <benchmark/benchmark.h>

#include "literal_refresh.hpp"
#include "emulator/engine.hpp"
#include "emulator/run_loop.hpp"
#include "session/debugging.hpp"
#include "session/headless.hpp"
#include "session/mainwindow.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

// A counting loop; the dump shows `dumpWords` addresses (the sample program has 38).
const Text kCountingLoop =
    u"      LEA  GR1,0\r\n"
    u"LOOP  ADD  GR1,ONE\r\n"
    u"      JMP  LOOP\r\n"
    u"ONE   DC   1\r\n";

// The same loop, with an OUT every thousand rounds.
const Text kPrintingLoop =
    u"      LEA  GR1,0\r\n"
    u"      LEA  GR2,0\r\n"
    u"LOOP  ADD  GR1,ONE\r\n"
    u"      ADD  GR2,ONE\r\n"
    u"      CPA  GR2,K\r\n"
    u"      JNZ  LOOP\r\n"
    u"      LEA  GR2,0\r\n"
    u"      OUT  MSG,LEN\r\n"
    u"      JMP  LOOP\r\n"
    u"ONE   DC   1\r\n"
    u"K     DC   1000\r\n"
    u"MSG   DC   'TICK'\r\n"
    u"LEN   DC   4\r\n";

// Two counters, so that no state comes back for billions of steps, and three lines of
// EXIT that never run, to hold breakpoints.
const Text kLongLoop =
    u"      LEA  GR1,0\r\n"
    u"      LEA  GR2,0\r\n"
    u"LOOP  ADD  GR1,ONE\r\n"
    u"      JNZ  LOOP\r\n"
    u"      ADD  GR2,ONE\r\n"
    u"      JMP  LOOP\r\n"
    u"      EXIT\r\n"
    u"      EXIT\r\n"
    u"      EXIT\r\n"
    u"ONE   DC   1\r\n";

// The plain run, or one with every debugging aid on: breakpoints on the three EXIT
// lines, step back within its default budget, endless-loop detection.
enum Aids { kNoAids, kAllAids };

struct Bench {
    HeadlessDisplay display;
    Workbench wb{display};
    explicit Bench(const Text& source, int32_t dumpWords = 0, Aids aids = kNoAids) {
        Form_Load(wb);
        userSetsSource(wb, source);
        Command1_Click(wb);
        if (dumpWords > wb.locationCounter) wb.locationCounter = dumpWords;
        Label3_Click(wb);  // Run Mode
        if (aids == kNoAids) {
            wb.debug.undo.setBudget(0);
            return;
        }
        wb.debug.detectLoops = true;
        for (const int32_t line : {7, 8, 9}) userTogglesBreakpoint(wb, line);
    }
};

void report(benchmark::State& state, long steps) {
    state.counters["instructions/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * steps), benchmark::Counter::kIsRate);
}

void BM_RunMode(benchmark::State& state) {
    const long steps = state.range(0);
    Bench b(kCountingLoop, static_cast<int32_t>(state.range(1)));
    for (auto _ : state) {
        setBoxText(b.wb, kPcBox, u"0000");
        b.display.interruptAfter = steps;
        Command2_Click(b.wb);
        benchmark::DoNotOptimize(b.wb.regs.r[1]);
    }
    report(state, steps);
}
BENCHMARK(BM_RunMode)->Args({10'000'000, 38})->Args({10'000'000, 200})->Unit(benchmark::kMillisecond);

// Arg 1: the aids (kNoAids, kAllAids).
void BM_RunModeLongLoop(benchmark::State& state) {
    const long steps = state.range(0);
    Bench b(kLongLoop, 0, static_cast<Aids>(state.range(1)));
    for (auto _ : state) {
        setBoxText(b.wb, kPcBox, u"0000");
        b.display.interruptAfter = steps;
        Command2_Click(b.wb);
        if (b.wb.run.haltedBy != Halt::Stopped) state.SkipWithError("the run did not go on to the step limit");
    }
    report(state, steps);
}
BENCHMARK(BM_RunModeLongLoop)->Args({10'000'000, kNoAids})->Args({10'000'000, kAllAids})->Unit(benchmark::kMillisecond);

void BM_RunModeLiteralRefresh(benchmark::State& state) {
    const long steps = state.range(0);
    Bench b(kCountingLoop, static_cast<int32_t>(state.range(1)));
    LiteralDisplays shown;
    for (auto _ : state) {
        setBoxText(b.wb, kPcBox, u"0000");
        literalRunPress(b.wb, shown, steps);
        benchmark::DoNotOptimize(shown.history.size());
    }
    report(state, steps);
}
BENCHMARK(BM_RunModeLiteralRefresh)->Args({100'000, 38})->Args({100'000, 200})->Unit(benchmark::kMillisecond);

void BM_RunModeOutputEveryThousand(benchmark::State& state) {
    const long steps = state.range(0);
    Bench b(kPrintingLoop);
    for (auto _ : state) {
        setBoxText(b.wb, kPcBox, u"0000");
        b.display.interruptAfter = steps;
        Command2_Click(b.wb);
        b.display.shown.clear();
    }
    report(state, steps);
}
BENCHMARK(BM_RunModeOutputEveryThousand)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace comet
