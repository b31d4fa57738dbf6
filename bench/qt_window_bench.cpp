// Run Mode of one long loop in the Qt window (offscreen platform) against the same run
// on the headless display, as a ratio measured in one run. The window's share is the
// Stop check after every step, the "Run Mode" box and about thirty repaints a second.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <chrono>

#include "emulator/engine.hpp"
#include "emulator/run_loop.hpp"
#include "session/debugging.hpp"
#include "session/headless.hpp"
#include "workbench/lists.hpp"
#include "session/mainwindow.hpp"
#include "qt/frm_main.hpp"
#include "qt/qt_text.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

// GR0 counts down through all 65536 values, 150 times over: 19,661,252 steps, then
// EXIT. Lines 9 to 11 never run (they hold the breakpoints of a run with every debugging
// aid on). The program is 17 words; a DS of more words makes the memory dump as long as wanted.
constexpr int kProgramWords = 17;
constexpr std::array<int32_t, 3> kSpareLines{9, 10, 11};
Text countdown(int dumpWords) {
    Text source = u"S1  START\r\n"
                  u"    LEA   GR1,150\r\n"
                  u"L0  LEA   GR0,0\r\n"
                  u"L1  SUB   GR0,ONE\r\n"
                  u"    JNZ   L1\r\n"
                  u"    SUB   GR1,ONE\r\n"
                  u"    JNZ   L0\r\n"
                  u"    EXIT\r\n"
                  u"    EXIT\r\n"
                  u"    EXIT\r\n"
                  u"    EXIT\r\n"
                  u"ONE DC    1\r\n";
    if (dumpWords > kProgramWords) source += u"    DS    " + toText(QString::number(dumpWords - kProgramWords)) + u"\r\n";
    return source + u"    END\r\n";
}
constexpr double kSteps = 1 + 150 * (1 + 2 * 65536 + 2) + 1;

QApplication& application() {
    static int argc = 1;
    static char name[] = "comet_bench";
    static char* argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

double secondsOf(void (*press)(void*), void* context) {
    const auto start = std::chrono::steady_clock::now();
    press(context);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The plain run (no step back, no loop detection), or one with every debugging aid on:
// breakpoints on the lines that never run, step back within its default budget and
// endless-loop detection.
enum Aids { kNoAids, kAllAids };

void setAids(Workbench& wb, Aids aids) {
    wb.debug.detectLoops = aids == kAllAids;  // the window turns it on for itself
    if (aids == kNoAids) {
        wb.debug.undo.setBudget(0);
        return;
    }
    for (const int32_t line : kSpareLines) userTogglesBreakpoint(wb, line);
}

// The same source, assembled and switched to Run Mode, on each display.
void prepareHeadless(Workbench& wb, const Text& source, Aids aids) {
    Form_Load(wb);
    userSetsSource(wb, source);
    Command1_Click(wb);
    Label3_Click(wb);
    setAids(wb, aids);
}

void prepareWindow(FrmMain& window, const Text& source, Aids aids) {
    window.show();
    window.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->setPlainText(toQString(source));
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    Label3_Click(window.workbench());
    setAids(window.workbench(), aids);
    window.mirror();
}

void BM_RunModeWindowAgainstHeadless(benchmark::State& state) {
    application();
    const Text source = countdown(static_cast<int>(state.range(0)));
    const auto aids = static_cast<Aids>(state.range(1));
    HeadlessDisplay display;
    Workbench headless{display};
    prepareHeadless(headless, source, aids);
    FrmMain window;
    prepareWindow(window, source, aids);
    if (dumpLineCount(window.workbench()) != std::max<int32_t>(static_cast<int32_t>(state.range(0)), kProgramWords)) {
        state.SkipWithError("the loop did not assemble");
        return;
    }
    QPushButton* exec = window.findChild<QPushButton*>(QStringLiteral("Command2"));
    double headlessTotal = 0;
    double windowTotal = 0;
    for (auto _ : state) {
        headlessTotal += secondsOf([](void* wb) { Command2_Click(*static_cast<Workbench*>(wb)); }, &headless);
        const double seconds = secondsOf([](void* button) { static_cast<QPushButton*>(button)->click(); }, exec);
        windowTotal += seconds;
        state.SetIterationTime(seconds);
        if (!window.workbench().run.halted || window.workbench().txtGR[kPcBox] != u"0000") {
            state.SkipWithError("the window's run did not reach EXIT");
        }
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["headless_instr_per_s"] = kSteps * runs / headlessTotal;
    state.counters["window_instr_per_s"] = kSteps * runs / windowTotal;
    state.counters["window_over_headless"] = windowTotal / headlessTotal;
}
// Args: the number of memory dump lines, the aids.
BENCHMARK(BM_RunModeWindowAgainstHeadless)
    ->Args({kProgramWords, kNoAids})
    ->Args({200, kNoAids})
    ->Args({kProgramWords, kAllAids})
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace comet
