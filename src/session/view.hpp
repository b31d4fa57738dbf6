// What must be in view after a Debug Mode step, Back, the end of a run, a breakpoint
// stop or a watched step: the PC's source line in the editor, the PC's listing line, and
// the first dump line the step wrote. The front ends scroll to it whenever
// Workbench::viewFollows has moved on since they last did; in between the learner
// scrolls freely.
#pragma once

#include <array>
#include <cstdint>

#include "workbench/workbench.hpp"

namespace comet {

// The zoom levels of View ▸ Zoom in and Zoom out, in per cent, the window's and the page's.
inline constexpr std::array<int, 12> kZoomPercents{50, 67, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};
inline constexpr size_t kNormalZoom = 4;  // 100 %
static_assert(kZoomPercents[kNormalZoom] == 100);

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
