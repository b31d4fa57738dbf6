// The workbench as the command line, the page and the editors' protocols drive it: a few
// named actions in a user's words, each the same steps the window's own handlers take.
#pragma once

#include "workbench/workbench.hpp"

namespace comet {

// A freshly opened main window: the sample in the editor and the load handler run.
void startWorkbench(Workbench& wb);

// Open, New, Restore, a recent file or a drop: the workbench as it is just after
// starting with `text` in the editor (no listing, dump, registers, history, step back,
// breakpoints or marks of the old program), the focus in the editor. What the user
// chose for every program stays: the watching speed, loop detection, how far Back
// reaches, and the console (emptied). The status names the program (`name`).
void startWithText(Workbench& wb, const Text& text, const Text& name);

// View ▸ Output console, and its Clear.
void userTurnsConsole(Workbench& wb, bool on);
void userClearsConsole(Workbench& wb);

// ---- The design's controls ----
void userPressesAsm(Workbench& wb);     // "ASM"
void userSwitchesMode(Workbench& wb);   // a click on the mode label: Debug Mode / Run Mode
void userLeavesChooser(Workbench& wb);  // the focus leaves the mnemonic chooser
enum class Report { Help, Object, History };
void userOpensReport(Workbench& wb, Report report);  // one of the three report buttons

// ---- A program assembled and run ----
// Puts `source` in the editor and presses "ASM"; true when the assembler reported nothing.
bool assembleText(Workbench& wb, const Text& source);
// "Exec" pressed once: in Run Mode the whole run, until it halts or the display's
// stopRequested (a step limit, a time limit, the user's Stop) ends it.
void runToEnd(Workbench& wb);

// The workbench of a batch run: a freshly opened window (with endless-loop detection on
// and no step back) whose editor holds `source`, assembled and switched to Run Mode, so
// that pressing "Exec" runs the program from address 0; false when the assembler
// reported an error (kept in wb.diagnostics).
bool assembleForRun(Workbench& wb, const Text& source);

}  // namespace comet
