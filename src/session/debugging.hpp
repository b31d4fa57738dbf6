// The main window's debugging commands: breakpoints from the editor's gutter, F9 and
// the object listing, run to cursor, Reset and the watching speed (Back and the presses
// themselves are noted with "Exec", in exec_status). A window binds them to its controls
// and shows what they leave: the breakpoints beside the editor's lines and the listing's,
// and statusBarText in its status bar.
#pragma once

#include <cstdint>

#include "session/assembled_lines.hpp"
#include "workbench/workbench.hpp"

namespace comet {

// ---- Breakpoints ----
void userTogglesBreakpoint(Workbench& wb, int32_t line);      // a click in the gutter beside an editor line (1-based), or a line number given
void userTogglesBreakpointAtCaret(Workbench& wb);             // F9: the line the caret stands on
void userTogglesListingBreakpoint(Workbench& wb, int index);  // a double-click on List1's line `index`
int32_t caretLine(const Workbench& wb);                       // the editor line the caret stands on (1-based)
bool listingLineHasBreakpoint(const Workbench& wb, int index);  // whether to draw one beside List1's line `index`

// ---- Run control ----
// Where a run to cursor stops: the address of the caret line's first word; kLineNoWords
// or kLineUnknown when there is none, and the status says why.
int32_t runToCursorTarget(Workbench& wb);
void userRunsToCursor(Workbench& wb);  // a whole run to the caret line at full speed
// The caret put at the start of editor line `line` (1-based), then a run to cursor; a
// line past the text's last, like a breakpoint's, is refused with the status saying so.
void userRunsToLine(Workbench& wb, int32_t line);
// True when a press toward `target` (-1: "Exec") is to be watched: the window then calls
// userWatchesStep every 1000 / wb.debug.speed milliseconds and repaints in between.
bool pressIsWatched(const Workbench& wb, int32_t target);
// "Exec", or "Run to cursor" (`toCursor`), as the window and the page press them: a whole
// press at full speed, or the first of a watched press's steps-to-be; true when the front
// end is to watch it.
bool userBeginsPress(Workbench& wb, bool toCursor);
void userSetsSpeed(Workbench& wb, int instructionsPerSecond);  // one of kWatchSpeeds; any other is ignored
void userResets(Workbench& wb);  // Reset: the state right after start-up and ASM of the same source

// ---- The status bar ----
Text debugStatusText(const Workbench& wb);   // the last debugging event; "" when there is none
// What the status bar says: the last debugging event, else the last press's account, either
// with why the run went wrong when it did; after an ASM, where "Exec" starts unless at 0000.
Text statusBarText(const Workbench& wb, bool withTime);
// What the status bar keeps saying once the undo memory has dropped older steps, "Back
// reaches 131071 steps"; "" while Back reaches back to the last ASM.
Text undoLimitText(const Workbench& wb);

}  // namespace comet
