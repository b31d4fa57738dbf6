#include "session/stepping.hpp"

#include <algorithm>

#include "emulator/engine.hpp"
#include "emulator/run_loop.hpp"
#include "session/actions.hpp"
#include "session/exec_status.hpp"

namespace comet {
namespace {

RunStop stopOfPress(const Workbench& wb) {
    switch (wb.run.haltedBy) {
    case Halt::Breakpoint: return RunStop::Breakpoint;
    case Halt::Exit:
    case Halt::OutputCancelled: return RunStop::Exited;
    case Halt::AddressError:
    case Halt::EndlessLoop: return RunStop::Fault;
    case Halt::Stopped: return RunStop::Interrupted;
    case Halt::None: break;
    }
    return RunStop::Step;
}

bool atBreakpoint(const Workbench& wb) { return breakpointAt(wb, wb.regs.pc) != nullptr; }

// The opcode of the instruction at the PC; -1 outside the program.
int opcodeAtPc(const Workbench& wb) {
    return isProgramAddress(wb.regs.pc) ? opcodeField(wb.memory.cell(wb.regs.pc + 1).value) : -1;
}

}  // namespace

bool startDebugRun(Workbench& wb, const Text& source) {
    const bool assembled = assembleForRun(wb, source);
    wb.debug.undo.setBudget(kDefaultUndoBudget);
    return assembled;
}

std::optional<BatchStatus> exitStatusOf(const Workbench& wb) {
    if (wb.run.haltedBy == Halt::AddressError) return kAddressFault;
    if (wb.run.showedEngineError()) return kEngineError;
    switch (wb.run.haltedBy) {
    case Halt::Exit:
    case Halt::OutputCancelled: return kRanExit;
    case Halt::EndlessLoop: return kEndlessLoop;
    default: return std::nullopt;
    }
}

std::vector<int32_t> callsOnStack(const Workbench& wb) {
    std::vector<int32_t> calls;
    for (int64_t cell = std::max(wb.regs.r[4], 0); isCell(cell); ++cell) {
        const int64_t call = int64_t{wb.memory.cell(cell).value} - 2;  // a CALL is two words long
        if (isProgramAddress(call) && opcodeField(wb.memory.cell(call + 1).value) == op::CALL)
            calls.push_back(static_cast<int32_t>(call));
    }
    return calls;
}

RunStop stepInstruction(Workbench& wb) {
    pressBegins(wb, -1);
    if (pressGoesOn(wb)) pressStopped(wb);  // the one instruction ran: the press ends here
    const RunStop stop = stopOfPress(wb);
    return stop == RunStop::Interrupted ? RunStop::Step : stop;
}

RunStop runToStop(Workbench& wb, const StopNow& stopNow) {
    pressBegins(wb, -1);
    while (pressGoesOn(wb)) {
        if (stopNow()) {
            pressStopped(wb);
            break;
        }
    }
    return stopOfPress(wb);
}

RunStop stepOutOfCall(Workbench& wb, const StopNow& stopNow) {
    int depth = 0;  // calls made since the command began and not yet left
    while (true) {
        const int opcode = opcodeAtPc(wb);
        const RunStop stop = stepInstruction(wb);
        if (stop != RunStop::Step) return stop;
        if (opcode == op::CALL) ++depth;
        if (opcode == op::RET && depth-- == 0) return RunStop::Step;
        if (atBreakpoint(wb)) return RunStop::Breakpoint;
        if (stopNow()) return RunStop::Interrupted;
    }
}

RunStop stepBackOne(Workbench& wb) {
    const uint64_t before = wb.debug.undo.steps();
    userStepsBack(wb);
    return wb.debug.undo.steps() < before ? RunStop::Step : RunStop::Start;
}

RunStop runBackToBreakpoint(Workbench& wb) {
    while (stepBackOne(wb) == RunStop::Step)
        if (atBreakpoint(wb)) return RunStop::Breakpoint;
    return RunStop::Start;
}

}  // namespace comet
