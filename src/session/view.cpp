#include "session/view.hpp"

#include "session/source_lines.hpp"
#include "workbench/lists.hpp"

namespace comet {
namespace {

// The dump has one line per address, so the first changed word's address is its row.
int32_t firstChangedDumpRow(const Workbench& wb) {
    const int32_t rows = dumpLineCount(wb);
    for (int32_t a = 0; a < rows && a < kAddressCount; ++a)
        if (wb.changed.words[static_cast<size_t>(a)]) return a;
    return -1;
}

}  // namespace

ViewTargets viewTargets(const Workbench& wb) {
    const int32_t line = pcSourceLine(wb);
    return {line > 0 ? line : -1, wb.list1.selected, firstChangedDumpRow(wb)};
}

}  // namespace comet
