// What must be in view after a Debug Mode step, Back, the end of a run, a breakpoint
// stop or a watched step: the PC's source line in the editor, the PC's listing line, and
// the first dump line the step wrote. The front ends scroll to it whenever
// Workbench::viewFollows has moved on since they last did; in between the learner
// scrolls freely.
#pragma once

#include <cstdint>

#include "workbench/workbench.hpp"

namespace comet {

// Lines of the editor kept in view above and below the PC's line, where the text has them.
constexpr int32_t kViewContextLines = 3;

struct ViewTargets {
    int32_t editorLine = -1;  // from 1; -1 for nothing to bring into view
    int32_t listingRow = -1;  // from 0
    int32_t dumpRow = -1;     // from 0
    bool operator==(const ViewTargets&) const = default;
};

ViewTargets viewTargets(const Workbench& wb);

}  // namespace comet
