// Arbitrary memory, register box texts and mode, then a bounded run: the run
// ends, nothing leaves memory, the displays stay well-formed, and Debug Mode
// press by press reaches exactly what one Run Mode press reaches.
#include <cstdint>
#include <string>

#include "emulator/engine.hpp"
#include "invariants.hpp"
#include "input_bytes.hpp"
#include "ui/headless.hpp"
#include "ui/registers.hpp"

namespace comet::fuzz {
namespace {

constexpr long kStepBudget = 3000;

void loadMachine(Workbench& wb, InputBytes& in) {
    for (auto& cell : wb.memory.cells) {
        const uint8_t kind = in.byte();
        cell.value = signed16(in.u16());
        if (kind == 0xFF) cell.value = static_cast<int32_t>(in.u16()) << 16 | (cell.value & 0xFFFF);  // a 32-bit word
    }
    wb.locationCounter = in.byte() % (kAddressCount + 1);
    for (int k = 0; k < kBoxCount; ++k) setBoxText(wb, k, in.text(9));
}

void loadAnswers(HeadlessDisplay& d, InputBytes& in) {
    for (int i = 0; i < 16; ++i) d.okCancelAnswers.push_back(in.byte() % 8 != 0);
    for (int i = 0; i < 16; ++i) {
        if (in.byte() % 8 == 0) d.inputAnswers.push_back(std::nullopt);
        else d.inputAnswers.push_back(in.text(12));
    }
}

struct Run {
    HeadlessDisplay display;
    Workbench wb;
};

// What differs between two workbenches' machines and displays, or nothing.
std::string difference(const Workbench& a, const Workbench& b) {
    for (int c = 0; c < kCellCount; ++c)
        if (a.memory.cell(c).value != b.memory.cell(c).value) return "cell " + std::to_string(c);
    for (int k = 0; k < kBoxCount; ++k)
        if (a.txtGR[k] != b.txtGR[k]) return "box " + std::to_string(k) + ": " + toUtf8(a.txtGR[k]) + " vs " + toUtf8(b.txtGR[k]);
    if (a.regs.r != b.regs.r || a.regs.pc != b.regs.pc) return "registers";
    if (a.run.history != b.run.history) return "history";
    if (a.list2.lines != b.list2.lines || a.list1.selected != b.list1.selected) return "lists";
    return {};
}

}  // namespace
}  // namespace comet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace comet;
    using namespace comet::fuzz;
    InputBytes in(data, size);
    fuzz::Run debug;
    debug.wb.display = &debug.display;
    loadMachine(debug.wb, in);
    loadAnswers(debug.display, in);
    fuzz::Run run;
    run.wb = debug.wb;
    run.display.okCancelAnswers = debug.display.okCancelAnswers;
    run.display.inputAnswers = debug.display.inputAnswers;
    run.wb.display = &run.display;

    Label3_Click(debug.wb);  // Debug Mode
    long presses = 0;
    for (; presses < kStepBudget && !debug.wb.run.halted; ++presses) {
        Command2_Click(debug.wb);
        require(checkDisplay(debug.wb));
    }
    run.display.interruptAfter = kStepBudget;
    Command2_Click(run.wb);  // Run Mode: the budget stops it if nothing else does
    require(checkDisplay(run.wb));
    std::string diff = difference(debug.wb, run.wb);
    if (presses < kStepBudget && !run.wb.run.halted) diff += " (Run Mode went on after Debug Mode halted)";
    require(diff.empty() ? "" : "Debug Mode and Run Mode differ: " + diff);
    require(run.display.shown.size() == debug.display.shown.size() ? "" : "Debug Mode and Run Mode showed different boxes");
    return 0;
}
