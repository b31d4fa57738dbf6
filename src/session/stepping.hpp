// A debugger's run commands as an editor's debugger asks for them: one instruction, on
// to a stop, out of the current call, and back, one instruction or to the last
// breakpoint, through the workbench's step records. Each ends in one of a few stops.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "workbench/workbench.hpp"

namespace comet {

// Exit statuses of a whole run, as the command line gives them.
enum BatchStatus : int {
    kRanExit = 0,       // the program ran EXIT
    kAsmErrors = 1,     // the assembler reported an error; nothing was run
    kBadInput = 2,      // a line of standard input was longer than kInputLineLimit: the run stopped there
    kStepLimit = 3,     // the step limit was reached without EXIT
    kAddressFault = 4,  // the run stopped on an access outside memory
    kEndlessLoop = 5,   // the machine came back to an earlier state: the program can never end
    kEngineError = 6,   // the engine reported an error (a word that is no instruction, a bad register, a push error)
};

// How a run command ended.
enum class RunStop : uint8_t {
    Step,         // the instruction (or the steps asked for) ran, the program goes on
    Breakpoint,   // before the instruction at a breakpoint
    Start,        // stepping back reached the oldest step kept
    Interrupted,  // `stopNow` said so after a step
    Fault,        // an access outside memory, or an endless loop: the program cannot go on
    Exited,       // EXIT ran
};

// The workbench of a debugged run: `source` assembled in Run Mode with endless-loop
// detection and step records; false when the assembler reported an error.
bool startDebugRun(Workbench& wb, const Text& source);

// The status a whole run ending as the last press ended gives; nothing while it can go on.
// An engine error shown on the way wins over how the run ended, but for an access outside memory.
std::optional<BatchStatus> exitStatusOf(const Workbench& wb);

// The addresses of the CALLs whose return addresses are on the stack, innermost first: each
// word from GR4 up that is the address just after a CALL instruction. A word pushed with
// PUSH that happens to be such an address counts too; nothing else tells them apart.
std::vector<int32_t> callsOnStack(const Workbench& wb);

using StopNow = std::function<bool()>;  // asked after every instruction of a command

RunStop stepInstruction(Workbench& wb);
RunStop runToStop(Workbench& wb, const StopNow& stopNow);    // to a breakpoint, the end or a fault
RunStop stepOutOfCall(Workbench& wb, const StopNow& stopNow);  // through the RET that leaves the current call
RunStop stepBackOne(Workbench& wb);
RunStop runBackToBreakpoint(Workbench& wb);

}  // namespace comet
