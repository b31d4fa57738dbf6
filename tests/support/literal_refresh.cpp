#include "literal_refresh.hpp"

#include "emulator/engine.hpp"
#include "workbench/lists.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

void rebuildDump(const Workbench& wb, LiteralDisplays& shown) {
    shown.dump.clear();
    for (int32_t a = 0; a < wb.locationCounter; ++a) shown.dump.push_back(dumpLine(a, wb.memory.cell(a + 1).value));
}

void scanForPcLine(const Workbench& wb, LiteralDisplays& shown) {
    const TextView pc = TextView(wb.txtGR[kPcBox]).substr(0, 4);
    shown.selected = -1;
    for (size_t i = 0; i < wb.list1.lines.size(); ++i) {
        if (TextView(wb.list1.lines[i]).substr(0, 4) == pc) {
            shown.selected = static_cast<int>(i);
            return;
        }
    }
}

void appendNewSteps(const Workbench& wb, LiteralDisplays& shown) {
    for (; shown.steps < wb.run.history.steps(); ++shown.steps) {
        const TraceStep* step = wb.run.history.step(shown.steps);
        if (step == nullptr) continue;  // pushed out before this refresh: only a test's own misuse
        shown.history += traceStepText(*step);
        if (shown.history.size() > kHistoryLimit) shown.history.erase(0, shown.history.size() - kHistoryLimit);
    }
}

}  // namespace

void literalRefresh(const Workbench& wb, LiteralDisplays& shown) {
    rebuildDump(wb, shown);
    scanForPcLine(wb, shown);
    appendNewSteps(wb, shown);
}

void literalRunPress(Workbench& wb, LiteralDisplays& shown, long steps) {
    auto& run = wb.run;
    run.halted = false;
    for (long i = 0; i < steps && !run.halted; ++i) {
        run.pc = readBoxValue(wb.txtGR[kPcBox]);
        run.nextPc = static_cast<int32_t>(static_cast<uint32_t>(run.pc) + 2u);
        emStep(wb);
        wb.regs.pc = run.nextPc;
        for (int k = 0; k < kBoxCount; ++k) setBoxText(wb, k, cnvHex4(k == kPcBox ? wb.regs.pc : wb.regs.r[static_cast<size_t>(k)]));
        literalRefresh(wb, shown);
    }
}

}  // namespace comet
