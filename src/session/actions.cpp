#include "session/actions.hpp"

#include <utility>

#include "emulator/engine.hpp"
#include "emulator/run_loop.hpp"
#include "session/mainwindow.hpp"
#include "session/reports.hpp"

namespace comet {

void startWorkbench(Workbench& wb) { Form_Load(wb); }

void userPressesAsm(Workbench& wb) { Command1_Click(wb); }

void userSwitchesMode(Workbench& wb) { Label3_Click(wb); }

void userLeavesChooser(Workbench& wb) { Combo1_LostFocus(wb); }

void userOpensReport(Workbench& wb, Report report) {
    switch (report) {
    case Report::Help: return Command3_Click(wb);
    case Report::Object: return Command4_Click(wb);
    case Report::History: return Command5_Click(wb);
    }
}

void runToEnd(Workbench& wb) { Command2_Click(wb); }

void startWithText(Workbench& wb, const Text& text, const Text& name) {
    Workbench fresh(wb.display());
    fresh.debug.speed = wb.debug.speed;
    fresh.debug.detectLoops = wb.debug.detectLoops;
    fresh.debug.undo.setBudget(wb.debug.undo.budget());
    fresh.console.on = wb.console.on;
    fresh.console.changes = wb.console.changes + 1;
    fresh.run.clock = wb.run.clock;
    fresh.viewFollows = wb.viewFollows;
    wb = std::move(fresh);
    startWorkbench(wb);
    userSetsSource(wb, text);
    wb.debug.status.kind = DebugStatus::Started;
    wb.debug.status.program = name;
    wb.display().focusText1();
}

void userTurnsConsole(Workbench& wb, bool on) { wb.console.on = on; }

void userClearsConsole(Workbench& wb) {
    wb.console.lines.clear();
    ++wb.console.changes;
}

bool assembleText(Workbench& wb, const Text& source) {
    userSetsSource(wb, source);
    userPressesAsm(wb);
    return wb.diagnostics.empty();
}

bool assembleForRun(Workbench& wb, const Text& source) {
    wb.debug.undo.setBudget(0);  // nothing steps back here
    wb.debug.detectLoops = true;
    startWorkbench(wb);
    if (!assembleText(wb, source)) return false;
    userSwitchesMode(wb);  // Run Mode; the PC box still shows 0000
    return true;
}

}  // namespace comet
