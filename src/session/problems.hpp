// The problem list: what the last ASM found, on the editor's lines as they are now,
// with a count for the status bar and the fix for tab characters.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "workbench/workbench.hpp"

namespace comet {

// After an ASM: its diagnostics, its warnings, and a warning for every line of the text it
// read that holds a tab outside a string constant; then every line is followed from where it was.
void collectProblems(Workbench& wb);

// The problems to show, on their lines now, the ASM's and then the last run's (its Run
// section): those whose line has been edited are gone, those with no place in the source
// stay until the next ASM.
std::vector<Problem> problemRows(const Workbench& wb);

// "1 error, 2 undefined names, 1 warning, 1 run-time problem", "No problems"; empty before the first ASM.
Text problemSummary(const Workbench& wb);

// ---- Drawing a problem ----
// A row of the problem list: "3:1  error: Syntax Error (Address=2)"; without a place, "error: ...".
Text problemRowText(const Problem& p);
// Its tooltip: the message as the box showed it, then what it means and the likely fix, a line each.
Text problemTip(const Problem& p);
// The columns, from 0, that a problem underlines on its line of `lineLength` characters:
// [first, second), its statement or operand, or the whole line when it names none.
std::pair<int32_t, int32_t> underlinedColumns(const Problem& p, int32_t lineLength);

// ---- User actions ----
void userGoesToProblem(Workbench& wb, size_t row);  // the caret to where problem row `row` points
void replaceTabsByBlanks(Workbench& wb);           // every tab outside a string constant, up to its tab stop

}  // namespace comet
