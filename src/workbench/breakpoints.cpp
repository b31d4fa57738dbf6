#include "workbench/breakpoints.hpp"

#include <algorithm>
#include <optional>

#include "workbench/editor_text.hpp"
#include "workbench/workbench.hpp"

namespace comet {
namespace {

// Line i (0-based) of a text whose lines start at `starts`, without its line break.
TextView lineText(TextView text, const std::vector<int32_t>& starts, size_t i) {
    const auto begin = static_cast<size_t>(starts[i]);
    return text.substr(begin, static_cast<size_t>(lineContentEnd(text, starts, i)) - begin);
}

// How an edit changed a text's lines: the first `prefix` and the last `suffix` lines
// read the same before and after; the lines between were rewritten.
struct LineEdit {
    size_t prefix = 0, suffix = 0;
    size_t before = 0, after = 0;  // line counts
};

LineEdit lineEditOf(TextView before, TextView after) {
    const auto b = lineStarts(before);
    const auto a = lineStarts(after);
    LineEdit e{0, 0, b.size(), a.size()};
    const size_t most = std::min(b.size(), a.size());
    while (e.prefix < most && lineText(before, b, e.prefix) == lineText(after, a, e.prefix)) ++e.prefix;
    while (e.prefix + e.suffix < most &&
           lineText(before, b, b.size() - 1 - e.suffix) == lineText(after, a, a.size() - 1 - e.suffix))
        ++e.suffix;
    return e;
}

// Where line l (0-based) of the text before the edit stands after it; nothing once the edit removed it.
std::optional<size_t> movedLine(const LineEdit& e, size_t l) {
    if (l < e.prefix) return l;
    if (l >= e.before - e.suffix) return l + e.after - e.before;
    if (l < e.after - e.suffix) return l;  // rewritten: it stays on its line
    return std::nullopt;
}

}  // namespace

void markBreakpointStops(Breakpoints& b) {
    for (uint8_t& stop : b.stopAt) stop &= static_cast<uint8_t>(~kStopBreakpoint);
    for (const Breakpoint& p : b.set)
        if (p.address >= 0) b.stopAt[static_cast<size_t>(p.address)] |= kStopBreakpoint;
}

const Breakpoint* breakpointAt(const Workbench& wb, int32_t address) {
    for (const Breakpoint& p : wb.debug.breakpoints.set)
        if (p.address == address) return &p;
    return nullptr;
}

void breakpointsAfterEdit(Workbench& wb, TextView before, TextView after) {
    Breakpoints& b = wb.debug.breakpoints;
    if (b.set.empty() || before == after) return;
    const LineEdit e = lineEditOf(before, after);
    std::vector<Breakpoint> kept;
    for (const Breakpoint& p : b.set)
        if (const auto to = movedLine(e, static_cast<size_t>(p.line - 1))) kept.push_back({static_cast<int32_t>(*to) + 1, p.address});
    b.set = std::move(kept);  // still ascending: moved lines keep their order
    markBreakpointStops(b);   // a breakpoint whose line is gone stops no run
}

}  // namespace comet
