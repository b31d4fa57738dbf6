#include "session/actions.hpp"

#include "emulator/engine.hpp"
#include "session/mainwindow.hpp"

namespace comet {

void startWorkbench(Workbench& wb) { Form_Load(wb); }

bool assembleText(Workbench& wb, const Text& source) {
    userSetsSource(wb, source);
    Command1_Click(wb);
    return wb.diagnostics.empty();
}

bool assembleForRun(Workbench& wb, const Text& source) {
    wb.debug.undo.setBudget(0);  // nothing steps back here
    wb.debug.detectLoops = true;
    startWorkbench(wb);
    if (!assembleText(wb, source)) return false;
    Label3_Click(wb);  // Run Mode; the PC box still shows 0000
    return true;
}

}  // namespace comet
