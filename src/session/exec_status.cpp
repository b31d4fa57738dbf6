#include "session/exec_status.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "emulator/engine.hpp"
#include "emulator/run_loop.hpp"
#include "machine/hex.hpp"
#include "workbench/messages.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

// What a Debug Mode step is compared against: the boxes' values and the dump before it.
struct Displayed {
    std::array<int32_t, kBoxCount> boxes{};
    MemoryDump dump;
};

Displayed displayedNow(const Workbench& wb) {
    Displayed d;
    for (int k = 0; k < kBoxCount; ++k) d.boxes[static_cast<size_t>(k)] = boxValue(wb, k);
    d.dump = wb.list2;
    return d;
}

ChangeMarks changesSince(const Workbench& wb, const Displayed& before) {
    ChangeMarks changed;
    for (int k = 0; k < kBoxCount; ++k) changed.boxes[static_cast<size_t>(k)] = boxValue(wb, k) != before.boxes[static_cast<size_t>(k)];
    const int32_t lines = std::min(wb.list2.count, before.dump.count);
    for (int32_t a = 0; a < lines; ++a) {
        const auto cell = static_cast<size_t>(a) + 1;
        changed.words[static_cast<size_t>(a)] = wb.list2.values[cell] != before.dump.values[cell];
    }
    return changed;
}

// 1234567 as "1,234,567".
std::string grouped(uint64_t n) {
    const std::string digits = std::to_string(n);
    std::string text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

std::string stepsText(uint64_t steps) { return steps == 1 ? message(Msg::StepsOne) : message(Msg::StepsMany, {grouped(steps)}); }

Text timeText(double seconds) {
    char buffer[32];
    if (seconds < 1) std::snprintf(buffer, sizeof buffer, " (%.1f ms)", seconds * 1000);
    else std::snprintf(buffer, sizeof buffer, " (%.2f s)", seconds);
    return fromAscii(buffer);
}

Text howItEnded(const ExecStatus& s) {
    const std::string to = toUtf8(cnvHex4(s.to));
    const std::string steps = stepsText(s.steps);
    switch (s.halt) {
    case Halt::Exit: return messageText(Msg::EndedByExit, {steps});
    case Halt::Stopped: return messageText(Msg::StoppedByYou, {to, steps});
    case Halt::AddressError: return messageText(Msg::EndedAddressError, {to, steps});
    case Halt::OutputCancelled: return messageText(Msg::CancelledInOutput, {steps});
    case Halt::Breakpoint: return messageText(Msg::StoppedBeforeBreak, {to, steps});
    case Halt::EndlessLoop: return messageText(Msg::StoppedInLoop, {to, steps});
    case Halt::None: break;
    }
    return messageText(Msg::ExecutedOne, {toUtf8(cnvHex4(s.from)), to});
}

// ---- Noting a press ----

void notePressBegins(Workbench& wb) {
    wb.changed = {};
    wb.status = {ExecStatus::Running, wb.run.debugMode, Halt::None, 0, wb.regs.pc, wb.regs.pc, 0};
}

// Runs part of the press under way, adding its instructions and time to the status.
template <class Part>
auto notingPart(Workbench& wb, Part part) {
    const uint64_t stepsBefore = wb.run.history.steps();
    const double start = wb.run.clock();
    const double boxesBefore = wb.run.boxSeconds;
    const auto result = part();
    wb.status.seconds += std::max(0.0, wb.run.clock() - start - (wb.run.boxSeconds - boxesBefore));
    wb.status.steps += wb.run.history.steps() - stepsBefore;
    wb.status.to = wb.regs.pc;
    return result;
}

void notePressEnded(Workbench& wb) {
    wb.status.phase = ExecStatus::Done;
    wb.status.halt = wb.run.haltedBy;
}

}  // namespace

void userPressesExec(Workbench& wb) { userRunsPress(wb, -1); }

void userRunsPress(Workbench& wb, int32_t target) {
    const Displayed before = displayedNow(wb);
    notePressBegins(wb);
    notingPart(wb, [&] {
        runPress(wb, target);
        return true;
    });
    notePressEnded(wb);
    if (wb.status.debugMode) wb.changed = changesSince(wb, before);
    ++wb.viewFollows;
}

void userBeginsWatchedPress(Workbench& wb, int32_t target) {
    notePressBegins(wb);
    pressBegins(wb, target);
}

bool userWatchesStep(Workbench& wb) {
    const Displayed before = displayedNow(wb);
    const bool goesOn = notingPart(wb, [&] { return pressGoesOn(wb); });
    wb.changed = changesSince(wb, before);
    if (!goesOn) notePressEnded(wb);
    ++wb.viewFollows;
    return goesOn;
}

void userStopsWatchedPress(Workbench& wb) {
    pressStopped(wb);
    notePressEnded(wb);
    ++wb.viewFollows;
}

void userStepsBack(Workbench& wb) {
    if (wb.debug.press.active) return;
    const Displayed before = displayedNow(wb);
    UndoLog& undo = wb.debug.undo;
    const bool undone = undo.undo(wb);
    wb.changed = changesSince(wb, before);
    ++wb.viewFollows;
    wb.debug.status = {};
    wb.debug.status.kind = undone ? DebugStatus::SteppedBack : DebugStatus::NothingToUndo;
    wb.debug.status.undoSteps = undo.steps();
    wb.debug.status.undoDropped = undo.dropped();
}

Text statusText(const ExecStatus& status, bool withTime) {
    switch (status.phase) {
    case ExecStatus::Idle: return {};
    case ExecStatus::Running: return messageText(Msg::StatusRunning);
    case ExecStatus::Done: break;
    }
    Text text = howItEnded(status);
    if (withTime && !status.debugMode) text += timeText(status.seconds);
    return text;
}

void forgetPresses(Workbench& wb) {
    wb.changed = {};
    wb.status = {};
    wb.run.faults.clear();
    wb.run.haltedBy = Halt::None;
}

}  // namespace comet
