#include "emulator/run_loop.hpp"

#include <cstdint>
#include <memory>

#include "emulator/engine.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

// ---- Steps of a press ----

// One step of a press: emStep and the refresh, recorded for step back.
// `refreshed`: the boxes show the registers' digits, as after the press's earlier steps.
void executeStep(Workbench& wb, bool refreshed) {
    auto& run = wb.run;
    const uint64_t traced = run.history.steps();
    run.nextPc = wrap32(int64_t{run.pc} + 2);
    wb.debug.undo.open(wb, refreshed);
    emStep(wb);
    wb.regs.pc = run.nextPc;
    run.pc = run.nextPc;
    DumpMemReg(wb);
    wb.debug.undo.close(run.history.steps() != traced);
}

// True when the press stops before the instruction at the PC: never before its first.
bool stopsBeforeThis(const Workbench& wb) {
    const auto pc = static_cast<uint32_t>(wb.run.pc);
    return wb.debug.press.steps > 0 && pc < kAddressCount && wb.debug.breakpoints.stopAt[pc] != 0;
}

// ---- Endless loops ----

// A machine in state s, with its boxes as a refresh leaves them, keeping no records.
std::unique_ptr<Workbench> machineIn(const MachineState& s, Display& display, bool debugMode) {
    auto wb = std::make_unique<Workbench>(display);
    wb->debug.undo.setBudget(0);
    loadMachineState(*wb, s);
    wb->run.debugMode = debugMode;
    showRegistersInBoxes(*wb);
    return wb;
}

// Moves the loop found to its earliest steps. With no IN since the watch began, the run
// from there is the same whenever it is made: two silent copies of it, one a loop's
// length ahead, are stepped until they meet.
void findLoopStart(Workbench& wb) {
    LoopWatch& watch = wb.debug.loops;
    const FoundLoop loop = watch.found();
    const uint64_t length = loop.last - loop.first + 1;
    const uint64_t latest = loop.first - 1 - watch.originStep();  // the lead the search need not pass
    SilentDisplay silent;
    const auto behind = machineIn(watch.origin(), silent, wb.run.debugMode);
    const auto ahead = machineIn(watch.origin(), silent, wb.run.debugMode);
    for (uint64_t i = 0; i < length; ++i) executeStep(*ahead, true);
    for (uint64_t lead = 0; lead < latest; ++lead) {
        if (sameMachine(*behind, *ahead)) {
            watch.startsAt(watch.originStep() + lead + 1);
            return;
        }
        executeStep(*behind, true);
        executeStep(*ahead, true);
    }
}

// Whether the step just made, which executed the instruction at pc, brought the machine
// back to an earlier state. Watching begins once the boxes show the registers' digits.
bool loopFound(Workbench& wb, int32_t pc) {
    LoopWatch& watch = wb.debug.loops;
    if (watch.active()) return watch.afterStep(wb, pc);
    if (boxesShowRegisters(wb)) watch.start(wb);
    return false;
}

// ---- Ending a press ----

// Halts the run before the instruction at the PC, or on a loop, and says so in the status.
void haltFor(Workbench& wb, Halt why) {
    auto& run = wb.run;
    Debugger& d = wb.debug;
    run.halted = true;
    run.haltedBy = why;
    d.status = {};
    if (why == Halt::EndlessLoop) {
        findLoopStart(wb);
        d.status.kind = DebugStatus::EndlessLoop;
        d.status.loop = d.loops.found();
        return;
    }
    d.status.kind = breakpointAt(wb, run.pc) != nullptr ? DebugStatus::Breakpoint : DebugStatus::Reached;
    d.status.address = run.pc;
}

bool pressEnds(Workbench& wb) {
    Debugger& d = wb.debug;
    if (d.press.target >= 0) d.breakpoints.stopAt[static_cast<size_t>(d.press.target)] &= static_cast<uint8_t>(~kStopTarget);
    d.press.active = false;
    d.loops.stop();
    wb.display().runEnded();
    return false;
}

}  // namespace

void Command2_Click(Workbench& wb) { runPress(wb, -1); }

void pressBegins(Workbench& wb, int32_t target) {
    auto& run = wb.run;
    Debugger& d = wb.debug;
    run.halted = false;
    run.haltedBy = Halt::None;
    run.faults.clear();
    d.status = {};
    const bool runsTo = target >= 0 && target < kAddressCount;
    d.press = {true, 0, runsTo ? target : -1, d.detectLoops && (!run.debugMode || runsTo)};
    if (runsTo) d.breakpoints.stopAt[static_cast<size_t>(target)] |= kStopTarget;
    wb.display().runStarted();
    // The PC box is read once per press; within a Run Mode run each step starts at the
    // full next PC, so a jump beyond 16 bits faults where it went, not where the box's
    // four digits would point.
    run.pc = boxValue(wb, kPcBox);
    if (d.press.watchLoops && boxesShowRegisters(wb)) d.loops.start(wb);
}

bool pressGoesOn(Workbench& wb) {
    auto& run = wb.run;
    Press& press = wb.debug.press;
    if (!press.active) return false;
    if (stopsBeforeThis(wb)) {
        haltFor(wb, Halt::Breakpoint);
        return pressEnds(wb);
    }
    const int32_t pc = run.pc;
    executeStep(wb, press.steps > 0);
    ++press.steps;
    if (run.halted || (run.debugMode && press.target < 0)) return pressEnds(wb);
    if (press.watchLoops && loopFound(wb, pc)) {
        haltFor(wb, Halt::EndlessLoop);
        return pressEnds(wb);
    }
    return true;
}

void pressStopped(Workbench& wb) {
    wb.run.halted = true;
    wb.run.haltedBy = Halt::Stopped;
    pressEnds(wb);
}

void runPress(Workbench& wb, int32_t target) {
    pressBegins(wb, target);
    while (pressGoesOn(wb)) {
        if (wb.display().stopRequested()) {
            pressStopped(wb);
            return;
        }
    }
}

}  // namespace comet
