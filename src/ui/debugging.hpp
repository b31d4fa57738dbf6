// The main window's debugging commands: breakpoints from the editor's gutter, F9 and
// the object listing, run to cursor, Back, Reset and the watching speed. A window binds
// them to its controls and shows what they leave: the breakpoints beside the editor's
// lines and the listing's, and statusText(wb.debug.status) in its status bar.
#pragma once

#include <cstdint>

#include "workbench/workbench.hpp"

namespace comet {

// ---- Breakpoints ----
void userTogglesBreakpoint(Workbench& wb, int32_t line);      // a click in the gutter beside an editor line (1-based)
void userTogglesBreakpointAtCaret(Workbench& wb);             // F9: the line the caret stands on
void userTogglesListingBreakpoint(Workbench& wb, int index);  // a double-click on List1's line `index`
int32_t caretLine(const Workbench& wb);                       // the editor line the caret stands on (1-based)
bool listingLineHasBreakpoint(const Workbench& wb, int index);  // whether to draw one beside List1's line `index`

// ---- Run control ----
// Where a run to cursor stops: the address of the caret line's first word; -1 when the
// line has none, and the status says why.
int32_t runToCursorTarget(Workbench& wb);
void userRunsToCursor(Workbench& wb);  // a whole run to the caret line at full speed
// True when a press toward `target` (-1: "Exec") is to be watched: the window then calls
// pressGoesOn every 1000 / wb.debug.speed milliseconds and repaints in between.
bool pressIsWatched(const Workbench& wb, int32_t target);
void userSetsSpeed(Workbench& wb, int instructionsPerSecond);  // one of kWatchSpeeds; any other is ignored

// ---- Back and Reset ----
void userStepsBack(Workbench& wb);  // Back: undoes the last executed instruction
void userResets(Workbench& wb);     // Reset: the state right after start-up and ASM of the same source

}  // namespace comet
