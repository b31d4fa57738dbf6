#include "session/source_lines.hpp"

#include <algorithm>

#include "machine/hex.hpp"
#include "workbench/breakpoints.hpp"
#include "workbench/editor_text.hpp"

namespace comet {

namespace {

// Whether a line begins at `at`: at the start, or after a line break (a CR followed by an
// LF ends its line only with that LF).
bool beginsLine(TextView text, size_t at) {
    if (at == 0) return true;
    const char16_t c = text[at - 1];
    return c == u'\n' || (c == u'\r' && (at == text.size() || text[at] != u'\n'));
}

// An insertion or a deletion of `length` characters at `at` reads the same wherever it
// slides to while the character before it equals its last one ("    A\r\n    B" losing
// "A\r\n    " is also "    B" losing "    A\r\n"). Slides it back to where it is whole
// lines when there is such a place, so that the lines around it keep their reading as
// unedited; `text` is the longer of the two texts, holding the stretch.
size_t wholeLinesStart(TextView text, size_t at, size_t length) {
    for (size_t start = at;; --start) {
        if (beginsLine(text, start) && beginsLine(text, start + length)) return start;
        if (start == 0 || text[start - 1] != text[start + length - 1]) return at;
    }
}

}  // namespace

// The change is the stretch between the texts' common beginning and common end, read as
// whole lines where a pure insertion or deletion allows it. A line outside it is whole in
// the new text if it still begins a line there and ends where it did: otherwise it was
// joined to another or had text added at one of its ends.
std::vector<int32_t> lineMapOfEdit(TextView before, TextView after) {
    const size_t limit = std::min(before.size(), after.size());
    size_t prefix = 0;
    while (prefix < limit && before[prefix] == after[prefix]) ++prefix;
    size_t suffix = 0;
    while (suffix < limit - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) ++suffix;
    if (prefix + suffix == limit && before.size() != after.size()) {
        const TextView longer = before.size() > after.size() ? before : after;
        const size_t start = wholeLinesStart(longer, prefix, longer.size() - limit);
        suffix += prefix - start;
        prefix = start;
    }
    const auto changeBegin = static_cast<int64_t>(prefix);
    const auto changeEnd = static_cast<int64_t>(before.size() - suffix);
    const auto shift = static_cast<int64_t>(after.size()) - static_cast<int64_t>(before.size());

    const std::vector<int32_t> oldStarts = lineStarts(before);
    const std::vector<int32_t> newStarts = lineStarts(after);
    std::vector<int32_t> map(oldStarts.size() + 1, 0);
    for (size_t i = 0; i < oldStarts.size(); ++i) {
        const int64_t start = oldStarts[i];
        const int64_t end = lineContentEnd(before, oldStarts, i);
        int64_t newStart = 0;
        if (end <= changeBegin) newStart = start;
        else if (start >= changeEnd) newStart = start + shift;
        else continue;
        const auto at = std::lower_bound(newStarts.begin(), newStarts.end(), newStart);
        if (at == newStarts.end() || *at != newStart) continue;
        const auto j = static_cast<size_t>(at - newStarts.begin());
        if (lineContentEnd(after, newStarts, j) - newStart != end - start) continue;
        map[i + 1] = static_cast<int32_t>(j + 1);
    }
    return map;
}

void followAssembledLines(Workbench& wb) {
    const size_t lines = lineStarts(wb.text1.text).size();
    auto& now = wb.marks.lineNow;
    now.resize(lines + 1);
    for (size_t l = 0; l <= lines; ++l) now[l] = static_cast<int32_t>(l);
}

void followEdit(Workbench& wb, TextView before) {
    breakpointsAfterEdit(wb, before, wb.text1.text);
    auto& now = wb.marks.lineNow;
    if (now.empty() || before == wb.text1.text) return;
    const std::vector<int32_t> map = lineMapOfEdit(before, wb.text1.text);
    for (int32_t& line : now) line = line > 0 && static_cast<size_t>(line) < map.size() ? map[static_cast<size_t>(line)] : 0;
}

int32_t currentLine(const Workbench& wb, int32_t assembledLine) {
    const auto& now = wb.marks.lineNow;
    if (assembledLine <= 0 || static_cast<size_t>(assembledLine) >= now.size()) return 0;
    return now[static_cast<size_t>(assembledLine)];
}

int32_t sourceLineOfAddress(const Workbench& wb, int64_t address) {
    if (address < 0 || address >= wb.locationCounter) return 0;
    return currentLine(wb, wb.as.lineOfWord[static_cast<size_t>(address)]);
}

int32_t pcSourceLine(const Workbench& wb) { return sourceLineOfAddress(wb, wb.regs.pc); }

int32_t listingAddress(const Workbench& wb, int row) {
    const auto& lines = wb.list1.lines;
    if (row < 0 || static_cast<size_t>(row) >= lines.size()) return -1;
    const int32_t a = fourDigitValue(TextView(lines[static_cast<size_t>(row)]).substr(0, 4));
    return a < kAddressCount ? a : -1;
}

int32_t sourceLineOfListing(const Workbench& wb, int row) { return sourceLineOfAddress(wb, listingAddress(wb, row)); }

void selectSourceLine(Workbench& wb, int32_t line) {
    const TextView text = wb.text1.text;
    const std::vector<int32_t> starts = lineStarts(text);
    if (line < 1 || static_cast<size_t>(line) > starts.size()) return;
    const auto i = static_cast<size_t>(line - 1);
    wb.text1.selStart = starts[i];
    wb.text1.selLength = lineContentEnd(text, starts, i) - starts[i];
}

void userClicksListing(Workbench& wb, int row) {
    if (row < 0 || static_cast<size_t>(row) >= wb.list1.lines.size()) return;
    wb.list1.selected = row;
    selectSourceLine(wb, sourceLineOfListing(wb, row));
}

}  // namespace comet
