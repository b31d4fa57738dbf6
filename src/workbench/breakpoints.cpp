#include "workbench/breakpoints.hpp"

#include <algorithm>
#include <optional>

#include "workbench/editor_text.hpp"
#include "workbench/workbench.hpp"

namespace comet {
namespace {

void rebuildStops(Breakpoints& b) {
    for (uint8_t& stop : b.stopAt) stop &= static_cast<uint8_t>(~kStopBreakpoint);
    for (const Breakpoint& p : b.set)
        if (p.address >= 0) b.stopAt[static_cast<size_t>(p.address)] |= kStopBreakpoint;
}

// Line i (0-based) of a text whose lines start at `starts`, without its line break.
TextView lineText(TextView text, const std::vector<int32_t>& starts, size_t i) {
    const auto begin = static_cast<size_t>(starts[i]);
    size_t end = i + 1 < starts.size() ? static_cast<size_t>(starts[i + 1]) : text.size();
    while (end > begin && (text[end - 1] == u'\r' || text[end - 1] == u'\n')) --end;
    return text.substr(begin, end - begin);
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

int32_t lineCount(const Workbench& wb) { return static_cast<int32_t>(lineStarts(wb.text1.text).size()); }

}  // namespace

Toggled toggleBreakpoint(Workbench& wb, int32_t line) {
    Breakpoints& b = wb.debug.breakpoints;
    const auto it = std::lower_bound(b.set.begin(), b.set.end(), line, [](const Breakpoint& p, int32_t l) { return p.line < l; });
    if (it != b.set.end() && it->line == line) {
        b.set.erase(it);
        rebuildStops(b);
        return Toggled::Cleared;
    }
    const int32_t address = addressOfLine(wb, line);
    if (address == kLineNoWords || line > lineCount(wb)) return Toggled::NoWords;
    b.set.insert(it, Breakpoint{line, std::max(address, -1)});
    rebuildStops(b);
    return address >= 0 ? Toggled::Set : Toggled::Pending;
}

const Breakpoint* breakpointAt(const Workbench& wb, int32_t address) {
    for (const Breakpoint& p : wb.debug.breakpoints.set)
        if (p.address == address) return &p;
    return nullptr;
}

int32_t addressOfLine(const Workbench& wb, int32_t line) {
    const auto& known = wb.debug.breakpoints.lineAddress;
    if (line < 1) return kLineNoWords;
    return static_cast<size_t>(line) <= known.size() ? known[static_cast<size_t>(line - 1)] : kLineUnknown;
}

int32_t lineOfAddress(const Workbench& wb, int32_t address) {
    if (address < 0 || address >= wb.locationCounter) return 0;
    const auto& lineOfWord = wb.as.lineOfWord;
    const int32_t assembled = lineOfWord[static_cast<size_t>(address)];
    if (assembled == 0) return 0;
    int32_t first = address;  // the statement's first word
    while (first > 0 && lineOfWord[static_cast<size_t>(first - 1)] == assembled) --first;
    const auto& known = wb.debug.breakpoints.lineAddress;
    const auto it = std::find(known.begin(), known.end(), first);
    return it == known.end() ? 0 : static_cast<int32_t>(it - known.begin()) + 1;
}

void breakpointsAfterAssembly(Workbench& wb) {
    Breakpoints& b = wb.debug.breakpoints;
    b.lineAddress.assign(wb.as.lineStarts.size(), kLineNoWords);
    for (int32_t a = wb.locationCounter; a-- > 0;) {
        const int32_t line = wb.as.lineOfWord[static_cast<size_t>(a)];
        if (line > 0 && static_cast<size_t>(line) <= b.lineAddress.size()) b.lineAddress[static_cast<size_t>(line - 1)] = a;
    }
    std::vector<Breakpoint> kept;
    for (const Breakpoint& p : b.set) {
        const int32_t address = addressOfLine(wb, p.line);
        if (address >= 0) kept.push_back({p.line, address});
    }
    b.set = std::move(kept);
    rebuildStops(b);
}

void breakpointsAfterEdit(Workbench& wb, TextView before, TextView after) {
    if (before == after) return;
    Breakpoints& b = wb.debug.breakpoints;
    const LineEdit e = lineEditOf(before, after);
    // Rewritten lines are unknown until the next ASM; the others keep what it found.
    std::vector<int32_t> addresses(e.after, kLineUnknown);
    for (size_t l = 0; l < std::min(b.lineAddress.size(), e.before); ++l) {
        if (l >= e.prefix && l < e.before - e.suffix) continue;
        addresses[*movedLine(e, l)] = b.lineAddress[l];
    }
    b.lineAddress = std::move(addresses);
    // A breakpoint keeps its address: memory still holds the program as last assembled.
    std::vector<Breakpoint> kept;
    for (const Breakpoint& p : b.set)
        if (const auto to = movedLine(e, static_cast<size_t>(p.line - 1))) kept.push_back({static_cast<int32_t>(*to) + 1, p.address});
    b.set = std::move(kept);
}

}  // namespace comet
