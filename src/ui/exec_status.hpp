// "Exec" as the user presses it: Command2_Click, then the status bar's account of
// it and, after a Debug Mode step, which register boxes and dump lines it changed.
#pragma once

#include "workbench/workbench.hpp"

namespace comet {

// Presses "Exec" (Command2_Click) and notes what the press did.
void userPressesExec(Workbench& wb);

// What the status bar says of a press: "Ended by EXIT after 52 instructions", with its
// time for a Run Mode run when `withTime`; empty before the first press after an ASM.
Text statusText(const ExecStatus& status, bool withTime);

// After an ASM: nothing is marked as changed and no press is told of.
void forgetPresses(Workbench& wb);

}  // namespace comet
