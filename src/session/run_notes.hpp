// What went wrong in the last run, wherever a run is shown: beside the status bar's
// account of the press, as the problem list's Run section, and as --run's notes. They
// last until the next ASM or Reset, which forgets the run.
#pragma once

#include <cstdint>
#include <vector>

#include "workbench/workbench.hpp"

namespace comet {

// An explanation of the run, on the source line (as assembled) it concerns; 0 for none.
struct RunNote {
    int32_t line = 0;
    Note note;
    bool operator==(const RunNote&) const = default;
};

// The engine messages' explanations in the order the run met them (each said once), then
// the source lines an endless loop repeats.
std::vector<RunNote> runNotes(const Workbench& wb);

// The problem list's Run section: a row for each explanation, on its line as it is now.
std::vector<Problem> runProblems(const Workbench& wb);

// The status bar's account of the last press with why it went wrong, when it did.
Text explainedStatus(const Workbench& wb, Text account);

// After an ASM that left the PC box away from 0000, where "Exec" starts; "" otherwise.
Text execStartText(const Workbench& wb);

}  // namespace comet
