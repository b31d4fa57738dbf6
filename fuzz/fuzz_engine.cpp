// Arbitrary memory, register box texts and answers to the boxes, then a bounded run
// in each mode: the run ends, nothing leaves memory, the displays stay well-formed and
// refreshed, Debug Mode press by press reaches exactly what one Run Mode press reaches
// as long as every next PC stays within -32768..32767, and Back over every step returns
// each of them to where it began.
#include <string>

#include "assembler/parser.hpp"
#include "assembler/passes.hpp"
#include "cases.hpp"
#include "emulator/engine.hpp"
#include "emulator/run_loop.hpp"
#include "invariants.hpp"
#include "input_bytes.hpp"
#include "session/headless.hpp"
#include "workbench/lists.hpp"
#include "workbench/registers.hpp"

namespace comet::fuzz {
namespace {

constexpr long kStepBudget = 1000;
constexpr long kFullCheckEvery = 50;  // the display checks make every line and the history text

// Memory, a program length with a listing of one line per word (so that the PC line
// selection has lines to find) and the dump, and the box texts.
void loadMachine(Workbench& wb, InputBytes& in) {
    for (int c = 0; c < kCellCount; ++c) {
        Cell& cell = wb.memory.writableCell(c);
        const uint8_t kind = in.byte();
        cell.tag = kTagPlain;
        cell.value = signed16(in.u16());
        if (kind == 0xFF) cell.value = static_cast<int32_t>(in.u16()) << 16 | (cell.value & 0xFFFF);  // a 32-bit word
    }
    wb.locationCounter = in.byte() % (kAddressCount + 1);
    semANA(wb);
    DumpMem(wb);  // the lists as ASM leaves them
    for (int k = 0; k < kBoxCount; ++k) setBoxText(wb, k, in.text(9));
}

void loadAnswers(HeadlessDisplay& d, InputBytes& in) {
    for (int i = 0; i < 16; ++i) d.okCancelAnswers.push_back(in.byte() % 8 != 0);
    for (int i = 0; i < 16; ++i) {
        if (in.byte() % 8 == 0) d.inputAnswers.push_back(std::nullopt);
        else d.inputAnswers.push_back(in.text(12));
    }
}

// What differs between two workbenches' machines and displays, or nothing.
std::string difference(const Workbench& a, const Workbench& b) {
    for (int c = 0; c < kCellCount; ++c)
        if (a.memory.cell(c).value != b.memory.cell(c).value) return "cell " + std::to_string(c);
    for (int k = 0; k < kBoxCount; ++k)
        if (a.txtGR[k] != b.txtGR[k]) return "box " + std::to_string(k) + ": " + toUtf8(a.txtGR[k]) + " vs " + toUtf8(b.txtGR[k]);
    if (a.regs.r != b.regs.r || a.regs.pc != b.regs.pc) return "registers";
    if (a.run.history.text() != b.run.history.text()) return "history";
    if (dumpLines(a) != dumpLines(b) || a.list1.selected != b.list1.selected) return "lists";
    return {};
}

// Back over every step a run executed leaves the workbench as the run found it.
std::string checkBackToStart(Workbench& wb, const Workbench& start) {
    if (wb.run.history.steps() == 0) return {};  // the first word lay outside memory: nothing ran
    while (wb.debug.undo.undo(wb)) {
    }
    const std::string diff = difference(wb, start);
    return diff.empty() ? diff : "back to the start differs: " + diff;
}

}  // namespace

std::string runEngineCase(Bytes bytes) {
    InputBytes in(bytes.data(), bytes.size());
    HeadlessDisplay debugDisplay;
    Workbench debugWb(debugDisplay);
    loadMachine(debugWb, in);
    loadAnswers(debugDisplay, in);
    HeadlessDisplay runDisplay;
    runDisplay.okCancelAnswers = debugDisplay.okCancelAnswers;
    runDisplay.inputAnswers = debugDisplay.inputAnswers;
    Workbench runWb(debugWb, runDisplay);
    HeadlessDisplay startDisplay;
    const Workbench start(debugWb, startDisplay);

    Label3_Click(debugWb);  // Debug Mode
    long presses = 0;
    bool comparable = true;
    for (; presses < kStepBudget && !debugWb.run.halted; ++presses) {
        Command2_Click(debugWb);
        // A Run Mode run goes on at the full next PC while the next Debug Mode press reads
        // the PC box's four digits: past a next PC beyond 16 bits the two part ways by design.
        if (debugWb.run.nextPc != signed16(debugWb.run.nextPc)) comparable = false;
        const bool full = presses % kFullCheckEvery == 0;
        for (const auto& problem : {full ? checkDisplay(debugWb) : std::string{}, checkRefreshed(debugWb)})
            if (!problem.empty()) return "Debug Mode: " + problem;
    }
    runDisplay.interruptAfter = kStepBudget;
    Command2_Click(runWb);  // Run Mode: the budget stops it if nothing else does
    for (const auto& problem : {checkDisplay(runWb), checkRefreshed(runWb)})
        if (!problem.empty()) return "Run Mode: " + problem;
    if (!comparable) return {};
    std::string diff = difference(debugWb, runWb);
    if (presses < kStepBudget && !runWb.run.halted) diff += " (Run Mode went on after Debug Mode halted)";
    if (!diff.empty()) return "Debug Mode and Run Mode differ: " + diff;
    if (runDisplay.shown != debugDisplay.shown) return "Debug Mode and Run Mode showed different boxes";
    for (Workbench* wb : {&debugWb, &runWb})
        if (auto problem = checkBackToStart(*wb, start); !problem.empty()) return problem;
    return {};
}

}  // namespace comet::fuzz
