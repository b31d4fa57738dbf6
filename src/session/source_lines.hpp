// Where the displays stand in the source: the editor's lines of the text last
// assembled, followed through the user's edits, and the lines that the PC and the
// object listing's lines come from.
#pragma once

#include <cstdint>
#include <vector>

#include "workbench/workbench.hpp"

namespace comet {

// ---- Lines through edits ----
// For each line of `before` (index = 1-based line), its line in `after` when the one
// change between them left it whole and in place; 0 when the change touched it.
std::vector<int32_t> lineMapOfEdit(TextView before, TextView after);

void followAssembledLines(Workbench& wb);         // after an ASM: every line is where it was assembled
void followEdit(Workbench& wb, TextView before);  // the editor's text changed from `before`: lines and breakpoints follow
int32_t currentLine(const Workbench& wb, int32_t assembledLine);  // 0 once edited, or before any ASM

// ---- Source lines of the displays ----
int32_t sourceLineOfAddress(const Workbench& wb, int64_t address);  // of the statement that made that word; 0 for none
int32_t pcSourceLine(const Workbench& wb);                          // of the PC register's word
int32_t sourceLineOfListing(const Workbench& wb, int row);          // of object listing line `row`
int32_t listingAddress(const Workbench& wb, int row);               // the address listing line `row` begins with; -1 for none

// Selects the whole text of an editor line (1-based), as a click on the line number does.
void selectSourceLine(Workbench& wb, int32_t line);

// A click on object listing line `row`: the list selects it, the editor the line that made it.
void userClicksListing(Workbench& wb, int row);

}  // namespace comet
