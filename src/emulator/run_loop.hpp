// The "Exec" press and the run to cursor: the run loop, one step at a time, with the
// stops around it (breakpoints, the run to cursor's target, endless loops) and the
// record of every step for step back.
#pragma once

#include <cstdint>

#include "workbench/workbench.hpp"

namespace comet {

void Command2_Click(Workbench& wb); // "Exec"

// ---- A press, a step at a time ----
// "Exec" is pressBegins, then pressGoesOn until it returns false, asking the display
// for Stop in between. A Run Mode press stops before an instruction at a breakpoint
// (or at the target of a run to cursor), except its first, so the next press goes on;
// with loop detection on it stops once the machine is back in an earlier state. A
// window watching a run at a set speed calls pressGoesOn from its timer instead.
void pressBegins(Workbench& wb, int32_t target = -1);  // target: where a run to cursor stops; -1 none
bool pressGoesOn(Workbench& wb);   // runs the next instruction, unless the press stops first; false once it ended
void pressStopped(Workbench& wb);  // the user's Stop ends the press
void runPress(Workbench& wb, int32_t target);  // one whole press at full speed

}  // namespace comet
