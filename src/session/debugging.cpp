#include "session/debugging.hpp"

#include <algorithm>
#include <string>

#include "emulator/engine.hpp"
#include "machine/hex.hpp"
#include "session/exec_status.hpp"
#include "session/assembled_lines.hpp"
#include "session/mainwindow.hpp"
#include "session/run_notes.hpp"
#include "session/source_lines.hpp"
#include "workbench/editor_text.hpp"
#include "workbench/machine_state.hpp"
#include "workbench/messages.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

enum class Toggled { Set, Pending, Cleared, NoWords, NoSuchLine };  // Pending: set, active after the next ASM

int32_t lineCount(const Workbench& wb) { return static_cast<int32_t>(lineStarts(wb.text1.text).size()); }

Toggled toggleBreakpoint(Workbench& wb, int32_t line) {
    if (line < 1 || line > lineCount(wb)) return Toggled::NoSuchLine;
    Breakpoints& b = wb.debug.breakpoints;
    const auto it = std::lower_bound(b.set.begin(), b.set.end(), line, [](const Breakpoint& p, int32_t l) { return p.line < l; });
    if (it != b.set.end() && it->line == line) {
        b.set.erase(it);
        markBreakpointStops(b);
        return Toggled::Cleared;
    }
    const int32_t address = addressOfLine(wb, line);
    if (address == kLineNoWords) return Toggled::NoWords;
    b.set.insert(it, Breakpoint{line, std::max(address, -1)});
    markBreakpointStops(b);
    return address >= 0 ? Toggled::Set : Toggled::Pending;
}

void say(Workbench& wb, DebugStatus::Kind kind, int32_t line = 0) {
    wb.debug.status = {};
    wb.debug.status.kind = kind;
    wb.debug.status.line = line;
}

std::string stepCount(uint64_t n) { return n == 1 ? message(Msg::StepOne) : message(Msg::StepMany, {std::to_string(n)}); }

std::string undoReach(const DebugStatus& s) {
    const std::string reach = message(Msg::UndoReach, {stepCount(s.undoSteps)});
    return s.undoDropped ? message(Msg::UndoDropped, {reach}) : reach;
}

// "line 7 (address 000A)", or the address alone once its line has been edited away.
std::string placeOf(const Workbench& wb, int32_t address) {
    const Breakpoint* b = breakpointAt(wb, address);
    const int32_t line = b != nullptr ? b->line : sourceLineOfAddress(wb, address);
    const std::string where = toUtf8(cnvHex4(address));
    return line > 0 ? message(Msg::AtLineAddress, {std::to_string(line), where}) : message(Msg::AtAddress, {where});
}

}  // namespace

// ---- Breakpoints ----

void userTogglesBreakpoint(Workbench& wb, int32_t line) {
    switch (toggleBreakpoint(wb, line)) {
    case Toggled::NoWords: say(wb, DebugStatus::NoWords, line); break;
    case Toggled::NoSuchLine: say(wb, DebugStatus::NoSuchLine, line); break;
    case Toggled::Pending: say(wb, DebugStatus::Pending, line); break;
    case Toggled::Set:
    case Toggled::Cleared: break;
    }
}

void userTogglesBreakpointAtCaret(Workbench& wb) { userTogglesBreakpoint(wb, caretLine(wb)); }

void userTogglesListingBreakpoint(Workbench& wb, int index) {
    const int32_t line = sourceLineOfListing(wb, index);
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
    if (target >= 0) userRunsPress(wb, target);
}

void userRunsToLine(Workbench& wb, int32_t line) {
    if (wb.debug.press.active) return;
    if (line < 1 || line > lineCount(wb)) return say(wb, DebugStatus::NoSuchLine, line);
    userSelects(wb, lineStarts(wb.text1.text)[static_cast<size_t>(line - 1)], 0);
    userRunsToCursor(wb);
}

bool pressIsWatched(const Workbench& wb, int32_t target) {
    return wb.debug.speed > 0 && (target >= 0 || !wb.run.debugMode);
}

bool userBeginsPress(Workbench& wb, bool toCursor) {
    if (wb.debug.press.active) return false;
    const int32_t target = toCursor ? runToCursorTarget(wb) : -1;
    if (toCursor && target < 0) return false;
    if (!pressIsWatched(wb, target)) {
        userRunsPress(wb, target);
        return false;
    }
    userBeginsWatchedPress(wb, target);
    return true;
}

void userSetsSpeed(Workbench& wb, int instructionsPerSecond) {
    if (std::find(kWatchSpeeds.begin(), kWatchSpeeds.end(), instructionsPerSecond) != kWatchSpeeds.end())
        wb.debug.speed = instructionsPerSecond;
}

void userResets(Workbench& wb) {
    if (wb.debug.press.active) return;
    switchOnMachine(wb);
    RunState& run = wb.run;
    run.halted = false;
    run.haltedBy = Halt::None;
    run.history.clear();
    showRegistersInBoxes(wb);
    wb.label6 = kLabel6Initial;
    Command1_Click(wb);  // the program's words again, the listing and the dump
    say(wb, DebugStatus::Reset);
}

// ---- The status bar ----

Text debugStatusText(const Workbench& wb) {
    const DebugStatus& s = wb.debug.status;
    const std::string line = std::to_string(s.line);
    switch (s.kind) {
    case DebugStatus::None: return {};
    case DebugStatus::Breakpoint: return messageText(Msg::AtBreakpoint, {placeOf(wb, s.address)});
    case DebugStatus::Reached: return messageText(Msg::ReachedPlace, {placeOf(wb, s.address)});
    case DebugStatus::EndlessLoop:
        return messageText(Msg::LoopRepeats, {std::to_string(s.loop.first), std::to_string(s.loop.last),
                                              toUtf8(cnvHex4(s.loop.low)), toUtf8(cnvHex4(s.loop.high))});
    case DebugStatus::SteppedBack: return messageText(Msg::SteppedBack, {undoReach(s)});
    case DebugStatus::NothingToUndo: return messageText(Msg::NothingToStepBack, {undoReach(s)});
    case DebugStatus::Reset: return messageText(Msg::ResetLoaded);
    case DebugStatus::NoWords: return messageText(Msg::LineNoWords, {line});
    case DebugStatus::NotAssembled: return messageText(Msg::LineChanged, {line});
    case DebugStatus::Pending: return messageText(Msg::BreakAfterAsm, {line});
    case DebugStatus::NoSuchLine: return messageText(Msg::NoSuchLine, {line, std::to_string(lineCount(wb))});
    case DebugStatus::Started: return messageText(Msg::CleanMachine, {toUtf8(s.program)});
    }
    return {};
}

Text undoLimitText(const Workbench& wb) {
    const UndoLog& undo = wb.debug.undo;
    return undo.dropped() ? messageText(Msg::BackReaches, {stepCount(undo.steps())}) : Text();
}

Text statusBarText(const Workbench& wb, bool withTime) {
    Text debugging = debugStatusText(wb);
    if (wb.debug.status.kind == DebugStatus::EndlessLoop) return explainedStatus(wb, std::move(debugging));
    if (!debugging.empty()) return debugging;
    if (wb.status.phase == ExecStatus::Idle) return execStartText(wb);
    return explainedStatus(wb, statusText(wb.status, withTime));
}

}  // namespace comet
