#include "session/assembled_lines.hpp"

#include <algorithm>

#include "workbench/breakpoints.hpp"

namespace comet {

int32_t addressOfLine(const Workbench& wb, int32_t line) {
    const auto& now = wb.marks.lineNow;  // by line as assembled
    const auto assembled = std::find(now.begin() + (now.empty() ? 0 : 1), now.end(), line);
    if (line < 1 || assembled == now.end()) return kLineUnknown;
    const auto assembledLine = static_cast<int32_t>(assembled - now.begin());
    for (int32_t a = 0; a < wb.locationCounter; ++a)
        if (wb.as.lineOfWord[static_cast<size_t>(a)] == assembledLine) return a;
    return kLineNoWords;
}

void debuggingAfterAssembly(Workbench& wb) {
    Debugger& d = wb.debug;
    d.undo.clear();  // a step back never crosses an assembly
    d.status = {};
    std::vector<Breakpoint> kept;
    for (const Breakpoint& p : d.breakpoints.set) {
        const int32_t address = addressOfLine(wb, p.line);
        if (address >= 0) kept.push_back({p.line, address});  // a line that makes no words holds none
    }
    d.breakpoints.set = std::move(kept);
    markBreakpointStops(d.breakpoints);
}

}  // namespace comet
