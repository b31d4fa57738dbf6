// Arbitrary bytes as the editor's text (UTF-8, invalid sequences included), then
// "ASM" twice, each over memory full of different stale words: the listing, the
// dump and the messages are sound, nothing is written outside the program, and the
// second assembly writes, lists and reports exactly what the first did.
#include <string_view>

#include "cases.hpp"
#include "invariants.hpp"
#include "session/headless.hpp"
#include "session/mainwindow.hpp"

namespace comet::fuzz {
namespace {

// What memory held before each assembly: tags and values no assembly writes.
constexpr Cell kStale{77, 0x5A5A};
constexpr Cell kOtherStale{-77, -0x1234};

void fillMemory(Workbench& wb, const Cell& cell) {
    for (int c = 0; c < kCellCount; ++c) wb.memory.writableCell(c) = cell;
}

bool sameCell(const Cell& a, const Cell& b) { return a.tag == b.tag && a.value == b.value; }

bool inProgram(const Workbench& wb, int cell) { return cell >= 1 && cell <= wb.locationCounter; }

// Cell 0 (address -1) and every cell from the location counter's address up keep their stale word.
bool staleOutsideProgram(const Workbench& wb, const Cell& stale) {
    for (int c = 0; c < kCellCount; ++c)
        if (!inProgram(wb, c) && !sameCell(wb.memory.cell(c), stale)) return false;
    return true;
}

// The program's words are those of the earlier assembly, whatever memory held before.
// (Tags inside a block are never read, so a block leaves them as they were.)
bool sameProgram(const Workbench& wb, const Workbench& earlier) {
    for (int c = 1; c <= wb.locationCounter; ++c)
        if (wb.memory.cell(c).value != earlier.memory.cell(c).value) return false;
    return true;
}

}  // namespace

std::string runAssemblerCase(Bytes bytes) {
    HeadlessDisplay display;
    Workbench wb{display};
    Form_Load(wb);
    fillMemory(wb, kStale);
    userSetsSource(wb, fromUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
    Command1_Click(wb);
    for (const auto& problem : {checkAssembly(wb), checkDisplay(wb)})
        if (!problem.empty()) return problem;
    if (!staleOutsideProgram(wb, kStale)) return "the assembly wrote outside its program";

    const Workbench first = wb;
    const auto firstBoxes = display.shown;
    display.shown.clear();
    fillMemory(wb, kOtherStale);
    Command1_Click(wb);
    if (wb.locationCounter != first.locationCounter || wb.list1.lines != first.list1.lines ||
        wb.list1.selected != first.list1.selected || dumpLines(wb) != dumpLines(first))
        return "a second assembly lists differently";
    if (!staleOutsideProgram(wb, kOtherStale)) return "the second assembly wrote outside its program";
    if (!sameProgram(wb, first)) return "the program's words depend on what memory held before";
    if (display.shown != firstBoxes) return "a second assembly reports differently";
    return {};
}

}  // namespace comet::fuzz
