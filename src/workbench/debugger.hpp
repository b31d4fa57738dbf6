// The debugging aids around "Exec" and the mode label: breakpoints and run to cursor,
// step back, the speeds a run can be watched at and endless-loop detection, with what
// the window's status bar says about them.
#pragma once

#include <array>
#include <cstdint>

#include "workbench/breakpoints.hpp"
#include "workbench/loop_watch.hpp"
#include "workbench/undo.hpp"

namespace comet {

// Instructions a second a Run Mode run can be watched at; 0 runs at full speed.
inline constexpr std::array<int, 5> kWatchSpeeds{0, 1, 5, 20, 100};

// The last debugging event, as the status bar tells it.
struct DebugStatus {
    enum Kind : uint8_t {
        None,
        Breakpoint,     // a run stopped before the instruction at a breakpoint
        Reached,        // a run to cursor reached its line
        EndlessLoop,    // a run came back to an earlier state
        SteppedBack,    // Back undid a step
        NothingToUndo,  // Back found no step to undo
        Reset,          // the program was loaded again
        NoWords,        // the line makes no words: no breakpoint, nothing to run to
        NotAssembled,   // the line changed since the last ASM: nothing to run to yet
        Pending,        // a breakpoint on a line changed since the last ASM: it stops runs after the next
        NoSuchLine,     // a line number past the text's last line: no breakpoint, nothing to run to
        Started,        // a program was opened or made new: the machine is clean
    };
    Kind kind = None;
    int32_t line = 0;          // NoWords, NotAssembled, Pending, NoSuchLine
    int32_t address = 0;       // Breakpoint, Reached: where the run stopped
    FoundLoop loop;            // EndlessLoop
    uint64_t undoSteps = 0;    // SteppedBack, NothingToUndo: steps Back can still undo
    bool undoDropped = false;  // ...and older ones were dropped to stay within the budget
    Text program;              // Started: the program's name
};

// The press under way: an "Exec" press or a run to cursor.
struct Press {
    bool active = false;
    uint64_t steps = 0;       // instructions it executed
    int32_t target = -1;      // the address a run to cursor runs to; -1 for none
    bool watchLoops = false;  // endless-loop detection is on for it
};

struct Debugger {
    Breakpoints breakpoints;
    UndoLog undo;
    LoopWatch loops;
    bool detectLoops = false;  // off for the plain run; the window and --run turn it on
    int speed = 0;             // one of kWatchSpeeds
    Press press;
    DebugStatus status;
};

}  // namespace comet
