// Back undoes executed instructions exactly: every display and the machine return to
// what they showed before, Exec then does the same again, and the oldest steps give way
// to a memory budget.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "emulator/engine.hpp"
#include "emulator/run_loop.hpp"
#include "loaded.hpp"
#include "session/debugging.hpp"
#include "session/exec_status.hpp"
#include "session/reports.hpp"
#include "workbench/lists.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

// IN, loads, shifts, pushes, a call, a pop, indexed stores and OUT, round and round.
const Text kBusyProgram =
    u"MAIN  START\r\n"
    u"      LEA  GR4,STACK\r\n"
    u"LOOP  IN   BUF,LEN\r\n"
    u"      LD   GR1,BUF\r\n"
    u"      SLL  GR1,FOUR\r\n"
    u"      SRA  GR1,ONE\r\n"
    u"      PUSH 0,GR1\r\n"
    u"      CALL SUB\r\n"
    u"      POP  GR2\r\n"
    u"      ST   GR2,BUF,GR3\r\n"
    u"      LEA  GR3,1,GR3\r\n"
    u"      CPA  GR3,FOUR\r\n"
    u"      JNZ  SKIP\r\n"
    u"      LEA  GR3,0\r\n"
    u"SKIP  OUT  BUF,LEN\r\n"
    u"      JMP  LOOP\r\n"
    u"SUB   SRL  GR1,ONE\r\n"
    u"      RET\r\n"
    u"ONE   DC   1\r\n"
    u"FOUR  DC   4\r\n"
    u"LEN   DC   6\r\n"
    u"BUF   DS   8\r\n"
    u"      DS   10\r\n"
    u"STACK END\r\n";

// Everything the window shows of the machine, and the machine itself.
struct Observables {
    std::vector<int32_t> cells;
    std::array<int32_t, 6> r{};
    int32_t pc = 0;
    std::array<Text, kBoxCount> boxes;
    Text label6;
    Text history;
    std::vector<Text> dump;
    int selected = -1;
    bool operator==(const Observables&) const = default;
};

Observables observe(const Workbench& wb) {
    Observables o;
    for (int c = 0; c < kCellCount; ++c) o.cells.push_back(wb.memory.cell(c).value);
    o.r = wb.regs.r;
    o.pc = wb.regs.pc;
    o.boxes = wb.txtGR;
    o.label6 = wb.label6;
    o.history = wb.run.history.text();
    for (int32_t i = 0; i < dumpLineCount(wb); ++i) o.dump.push_back(dumpLineText(wb, i));
    o.selected = wb.list1.selected;
    return o;
}

struct StepBack : ::testing::Test, Loaded {
    void assemble(const Text& source) {
        userSetsSource(wb, source);
        Command1_Click(wb);
    }
    // n answers for the input box, each another text unless `same`.
    void answerInputs(int n, bool same = false) {
        display.inputAnswers.clear();
        for (int i = 0; i < n; ++i) display.inputAnswers.emplace_back(fromAscii("In" + std::to_string(same ? 0 : i)));
    }
    // Runs n steps as Debug Mode presses or as one Run Mode press made a step at a time;
    // the states before each step and after the last.
    std::vector<Observables> forward(int n, bool debugMode) {
        if (wb.run.debugMode != debugMode) Label3_Click(wb);
        std::vector<Observables> seen{observe(wb)};
        if (!debugMode) pressBegins(wb);
        for (int i = 0; i < n; ++i) {
            if (debugMode) Command2_Click(wb);
            else EXPECT_TRUE(pressGoesOn(wb)) << "step " << i;
            seen.push_back(observe(wb));
        }
        if (!debugMode) pressStopped(wb);
        return seen;
    }
    // Steps back through `seen`, expecting each earlier state in turn.
    void backThrough(const std::vector<Observables>& seen) {
        for (size_t i = seen.size() - 1; i-- > 0;) {
            userStepsBack(wb);
            ASSERT_EQ(wb.debug.status.kind, DebugStatus::SteppedBack) << "back to " << i;
            ASSERT_EQ(observe(wb), seen[i]) << "back to " << i;
        }
    }
};

TEST_F(StepBack, ForwardBackAndForwardAgainInEitherMode) {
    for (const bool debugMode : {true, false}) {
        SCOPED_TRACE(debugMode ? "Debug Mode" : "Run Mode");
        Loaded fresh;
        wb = Workbench(fresh.wb, display);
        assemble(kBusyProgram);
        userEditsBox(wb, 3, u" 7f");  // texts the user typed come back too
        userEditsBox(wb, 0, u"12 34");
        answerInputs(20);
        display.shown.clear();
        const auto seen = forward(200, debugMode);  // the history's slots are taken over again
        const auto shown = display.shown;
        backThrough(seen);
        EXPECT_EQ(wb.txtGR[3], u" 7f");
        userStepsBack(wb);
        EXPECT_EQ(wb.debug.status.kind, DebugStatus::NothingToUndo);
        answerInputs(20);
        display.shown.clear();
        EXPECT_EQ(forward(200, debugMode), seen);  // IN asks again, OUT shows again
        EXPECT_EQ(display.shown, shown);
    }
}

TEST_F(StepBack, BackAcrossTheHistoryCutAndAfterAFullSpeedRun) {
    assemble(kBusyProgram);
    answerInputs(100, true);  // the same answer whichever IN asks, before and after going back
    Label3_Click(wb);  // Debug Mode -> Run Mode
    display.interruptAfter = 500;
    Command2_Click(wb);  // the history is long past 5000 characters
    const Observables afterRun = observe(wb);
    ASSERT_EQ(afterRun.history.size(), kHistoryLimit);
    const auto seen = forward(300, true);
    backThrough(seen);
    for (int i = 0; i < 400; ++i) userStepsBack(wb);  // well into the Run Mode press
    answerInputs(100, true);
    display.interruptAfter = 400;
    Label3_Click(wb);
    Command2_Click(wb);
    EXPECT_EQ(observe(wb), afterRun);
    EXPECT_EQ(wb.debug.undo.steps(), 500u);
}

TEST_F(StepBack, TheOldestStepsGiveWayToTheBudget) {
    struct Row {
        const char* what;
        Text source;
        size_t budget;
        uint64_t mostSteps;  // what the budget holds at most
    };
    const Row rows[] = {
        // Half of 8 KiB holds 64 records; the writes' ring, the other half, is not the limit.
        {"records", u"LOOP ST GR1,X\r\n  LEA GR1,1,GR1\r\n  JMP LOOP\r\nX DC 0\r\n", 8 << 10, 64},
        // Each IN writes 100 cells: 512 writes hold five of them, with their two JMPs each.
        {"writes", u"LOOP IN X,L\r\n  JMP LOOP\r\nL DC 200\r\nX DS 100\r\n", 8 << 10, 15},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Loaded fresh;
        wb = Workbench(fresh.wb, display);
        wb.debug.undo.setBudget(r.budget);
        assemble(r.source);
        answerInputs(1000);
        EXPECT_EQ(undoLimitText(wb), Text());
        const auto seen = forward(1000, false);
        const uint64_t kept = wb.debug.undo.steps();
        ASSERT_GT(kept, 0u);
        ASSERT_LE(kept, r.mostSteps);
        EXPECT_TRUE(wb.debug.undo.dropped());
        EXPECT_EQ(undoLimitText(wb), u"Back reaches " + fromAscii(std::to_string(kept)) + u" steps");
        backThrough(std::vector<Observables>(seen.end() - static_cast<long>(kept) - 1, seen.end()));
        userStepsBack(wb);
        EXPECT_EQ(wb.debug.status.kind, DebugStatus::NothingToUndo);
        EXPECT_EQ(debugStatusText(wb),
                  u"Nothing to step back: 0 steps can be undone; older steps were dropped to stay within the undo memory");
    }
}

TEST_F(StepBack, MarksWhatItChangedAndNothingBeforeTheLastAssembly) {
    assemble(kSampleProgram);
    forward(5, true);  // CALL pushed 000A: GR4 and the dump line of 0024 change back
    userStepsBack(wb);
    EXPECT_EQ(wb.changed.boxes, (std::array<bool, kBoxCount>{false, false, false, false, true, false, true}));
    EXPECT_TRUE(wb.changed.words[0x24]);
    EXPECT_EQ(wb.changed.words.count(), 1u);
    Command1_Click(wb);
    const Observables assembled = observe(wb);
    userStepsBack(wb);
    EXPECT_EQ(wb.debug.status.kind, DebugStatus::NothingToUndo);
    EXPECT_EQ(observe(wb), assembled);
}

TEST_F(StepBack, TheSelectionTheObjectReportLeft) {
    assemble(kSampleProgram);
    userEditsBox(wb, kPcBox, u"0001");  // no listing line: the report leaves the last one selected
    Command4_Click(wb);
    const Observables before = observe(wb);
    ASSERT_EQ(before.selected, static_cast<int>(wb.list1.lines.size()) - 1);
    Command2_Click(wb);
    userStepsBack(wb);
    EXPECT_EQ(observe(wb), before);
}

// The session step_back shows the rest of Reset; a cell beyond the program shows only here.
TEST_F(StepBack, ResetClearsTheWholeMemory) {
    assemble(kSampleProgram);
    wb.memory.writableCell(100).value = 7;
    userResets(wb);
    EXPECT_EQ(wb.memory.cell(100).value, 0);
}

}  // namespace
}  // namespace comet
