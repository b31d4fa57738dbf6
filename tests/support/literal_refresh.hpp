// The displays rebuilt the plain way after every step: every dump line formatted
// again, the listing scanned for the PC line, the history appended as text. Tests
// compare the workbench's own displays with it, and the run loop benchmark uses it
// as its baseline.
#pragma once

#include <vector>

#include "workbench/workbench.hpp"

namespace comet {

struct LiteralDisplays {
    std::vector<Text> dump;  // List2 as the refresh would rebuild it
    int selected = -1;       // List1's selection after the scan
    Text history;            // the execution history, appended step by step
    uint64_t steps = 0;      // steps already appended to `history`
};

// Brings the literal displays up to date with the workbench after a step or a press.
void literalRefresh(const Workbench& wb, LiteralDisplays& shown);

// One "Exec" press in Run Mode with the literal refresh after every step; stops after `steps` steps.
void literalRunPress(Workbench& wb, LiteralDisplays& shown, long steps);

}  // namespace comet
