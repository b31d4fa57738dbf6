#include "assembler/source_ranges.hpp"

#include <functional>
#include <utility>

#include "assembler/remarks.hpp"
#include "workbench/editor_text.hpp"

namespace comet {
namespace {

// Where a view into the text being assembled stands in it; nothing outside a pass.
SourceRange rangeIn(const AsmState& as, TextView part) {
    const std::less_equal<const char16_t*> notAfter;
    const char16_t* first = as.source.data();
    if (first == nullptr || !notAfter(first, part.data()) || !notAfter(part.data() + part.size(), first + as.source.size()))
        return {};  // nowhere in the source
    const auto begin = static_cast<int32_t>(part.data() - first);
    return {begin, begin + static_cast<int32_t>(part.size())};
}

}  // namespace

SourceRange tokenRange(const Workbench& wb) { return rangeIn(wb.as, wb.as.tokenText); }

SourceRange statementRange(const Workbench& wb) {
    TextView line = wb.as.line;
    while (!line.empty() && line.front() == u' ') line.remove_prefix(1);
    while (!line.empty() && line.back() == u' ') line.remove_suffix(1);
    return rangeIn(wb.as, line);
}

void reportAt(Workbench& wb, DiagKind kind, SourceRange range, Text name) {
    const SourceSpan where = range.begin < 0 ? SourceSpan{} : spanOf(wb.as.lineStarts, range.begin, range.end);
    std::vector<Note> notes = explanationOf(wb, kind, name);
    report(wb, {kind, wb.locationCounter, std::move(name), where, std::move(notes)});
}

}  // namespace comet
