#include "ui/debugging.hpp"

#include <algorithm>

#include "emulator/engine.hpp"
#include "ui/mainwindow.hpp"
#include "workbench/editor_text.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

// The address a listing line begins with, or -1.
int32_t listingAddress(const Workbench& wb, int index) {
    if (index < 0 || static_cast<size_t>(index) >= wb.list1.lines.size()) return -1;
    const int32_t a = fourDigitValue(TextView(wb.list1.lines[static_cast<size_t>(index)]).substr(0, 4));
    return a < kAddressCount ? a : -1;
}

void say(Workbench& wb, DebugStatus::Kind kind, int32_t line = 0) {
    wb.debug.status = {};
    wb.debug.status.kind = kind;
    wb.debug.status.line = line;
}

}  // namespace

// ---- Breakpoints ----

void userTogglesBreakpoint(Workbench& wb, int32_t line) {
    switch (toggleBreakpoint(wb, line)) {
    case Toggled::NoWords: say(wb, DebugStatus::NoWords, line); break;
    case Toggled::Pending: say(wb, DebugStatus::Pending, line); break;
    case Toggled::Set:
    case Toggled::Cleared: break;
    }
}

void userTogglesBreakpointAtCaret(Workbench& wb) { userTogglesBreakpoint(wb, caretLine(wb)); }

void userTogglesListingBreakpoint(Workbench& wb, int index) {
    const int32_t line = lineOfAddress(wb, listingAddress(wb, index));
    if (line > 0) userTogglesBreakpoint(wb, line);
}

int32_t caretLine(const Workbench& wb) {
    const auto starts = lineStarts(wb.text1.text);
    return static_cast<int32_t>(std::upper_bound(starts.begin(), starts.end(), wb.text1.selStart) - starts.begin());
}

bool listingLineHasBreakpoint(const Workbench& wb, int index) {
    const int32_t a = listingAddress(wb, index);
    return a >= 0 && (wb.debug.breakpoints.stopAt[static_cast<size_t>(a)] & kStopBreakpoint) != 0;
}

// ---- Run control ----

int32_t runToCursorTarget(Workbench& wb) {
    const int32_t line = caretLine(wb);
    const int32_t address = addressOfLine(wb, line);
    if (address == kLineNoWords) say(wb, DebugStatus::NoWords, line);
    if (address == kLineUnknown) say(wb, DebugStatus::NotAssembled, line);
    return address;
}

void userRunsToCursor(Workbench& wb) {
    if (wb.debug.press.active) return;
    const int32_t target = runToCursorTarget(wb);
    if (target >= 0) runPress(wb, target);
}

bool pressIsWatched(const Workbench& wb, int32_t target) {
    return wb.debug.speed > 0 && (target >= 0 || !wb.run.debugMode);
}

void userSetsSpeed(Workbench& wb, int instructionsPerSecond) {
    if (std::find(kWatchSpeeds.begin(), kWatchSpeeds.end(), instructionsPerSecond) != kWatchSpeeds.end())
        wb.debug.speed = instructionsPerSecond;
}

// ---- Back and Reset ----

void userStepsBack(Workbench& wb) {
    if (wb.debug.press.active) return;
    UndoLog& undo = wb.debug.undo;
    say(wb, undo.undo(wb) ? DebugStatus::SteppedBack : DebugStatus::NothingToUndo);
    wb.debug.status.undoSteps = undo.steps();
    wb.debug.status.undoDropped = undo.dropped();
}

void userResets(Workbench& wb) {
    if (wb.debug.press.active) return;
    wb.memory = Memory{};
    wb.regs = RegisterFile{};
    RunState& run = wb.run;
    run.pc = run.nextPc = 0;
    run.halted = false;
    run.haltedBy = Halt::None;
    run.history.clear();
    showRegistersInBoxes(wb);
    wb.label6 = kLabel6Initial;
    Command1_Click(wb);  // the program's words again, the listing and the dump; no step to go back to
    say(wb, DebugStatus::Reset);
}

}  // namespace comet
