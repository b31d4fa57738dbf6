// "Exec" as the user presses it: Command2_Click, then the status bar's account of
// it and, after a Debug Mode step, which register boxes and dump lines it changed; the
// same for a run to cursor, a press watched step by step, and Back.
#pragma once

#include <cstdint>

#include "workbench/workbench.hpp"

namespace comet {

// Presses "Exec" (Command2_Click) and notes what the press did.
void userPressesExec(Workbench& wb);
// A whole press toward `target` (a run to cursor; -1 is "Exec"), noted as "Exec" is.
void userRunsPress(Workbench& wb, int32_t target);

// ---- A press watched at a set speed: the window's timer drives it ----
void userBeginsWatchedPress(Workbench& wb, int32_t target);  // pressBegins; the status says it runs
// One instruction of it, with the boxes and dump lines it changed marked; false once the
// press has ended, which the status then tells as it tells "Exec".
bool userWatchesStep(Workbench& wb);
void userStopsWatchedPress(Workbench& wb);  // the user's Stop

// Back: undoes the last executed instruction, marks what that changed, and says in the
// debugging status how many steps Back can still undo.
void userStepsBack(Workbench& wb);

// What the status bar says of a press: "Ended by EXIT after 52 instructions", with its
// time for a Run Mode run when `withTime`; empty before the first press after an ASM.
Text statusText(const ExecStatus& status, bool withTime);

// After an ASM: nothing is marked as changed and no press, nor what went wrong in it, is told of.
void forgetPresses(Workbench& wb);

}  // namespace comet
