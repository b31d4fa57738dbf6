// Breakpoints stop a Run Mode press before the instruction, the next press goes on,
// they follow their lines through edits and ASM, and a run to cursor stops at the
// caret line; a press driven a step at a time keeps every one of these rules.
#include <gtest/gtest.h>

#include <vector>

#include "emulator/engine.hpp"
#include "loaded.hpp"
#include "ui/debugging.hpp"
#include "ui/exec_status.hpp"
#include "workbench/editor_text.hpp"

namespace comet {
namespace {

// The sample program's lines with words: 2..7 (0000..000A), 9 (EXIT, 000C), 10 (OUT, 000D).
constexpr int32_t kJmpLine = 7, kEndProgLine = 8, kExitLine = 9, kOutLine = 10;

struct BreakpointRuns : ::testing::Test, Loaded {
    BreakpointRuns() {
        Command1_Click(wb);  // the sample program
    }
    void runMode() {
        if (wb.run.debugMode) Label3_Click(wb);
    }
    void caretOnLine(int32_t line) { userSelects(wb, lineStarts(wb.text1.text)[static_cast<size_t>(line - 1)], 0); }
    uint16_t lastExecutedWord() const { return wb.run.history.step(wb.run.history.steps() - 1)->n.word; }
    std::vector<Breakpoint> set() const { return wb.debug.breakpoints.set; }
};

TEST_F(BreakpointRuns, StopBeforeTheInstructionAndTheNextPressGoesOn) {
    runMode();
    userTogglesBreakpoint(wb, kJmpLine);
    for (int press = 1; press <= 2; ++press) {
        Command2_Click(wb);
        EXPECT_EQ(wb.run.haltedBy, Halt::Breakpoint);
        EXPECT_EQ(wb.txtGR[kPcBox], u"000A");
        EXPECT_EQ(lastExecutedWord(), 0x0700) << "the RET ran, the JMP at the breakpoint did not";
        EXPECT_EQ(display.shown.size(), static_cast<size_t>(press)) << "one OUT per round";
        EXPECT_EQ(debugStatusText(wb), u"Stopped at the breakpoint on line 7 (address 000A)");
    }
    userTogglesBreakpoint(wb, kJmpLine);
    Command2_Click(wb);
    EXPECT_EQ(wb.run.haltedBy, Halt::Exit);
    EXPECT_EQ(debugStatusText(wb), u"");
}

TEST_F(BreakpointRuns, ADebugModePressExecutesItsOneInstruction) {
    userEditsBox(wb, kPcBox, u"000A");
    userTogglesBreakpoint(wb, kJmpLine);
    Command2_Click(wb);
    EXPECT_EQ(lastExecutedWord(), 0x0100);
    EXPECT_EQ(wb.txtGR[kPcBox], u"0004");
}

TEST_F(BreakpointRuns, FollowTheirLinesThroughEditsAndAssembly) {
    const Text twoLinesAbove = u"    LEA   GR1,0\r\n    LEA   GR2,0\r\n";
    userTogglesBreakpoint(wb, 6);  // CALL S2 at 0008
    userTogglesBreakpoint(wb, kExitLine);
    userTogglesBreakpoint(wb, kEndProgLine);  // a label alone makes no words
    EXPECT_EQ(debugStatusText(wb), u"Line 8 makes no words");
    EXPECT_EQ(set(), (std::vector<Breakpoint>{{6, 0x0008}, {kExitLine, 0x000C}}));

    userSetsSource(wb, u"S1  START\r\n" + twoLinesAbove + kSampleProgram.substr(11));
    EXPECT_EQ(set(), (std::vector<Breakpoint>{{8, 0x0008}, {11, 0x000C}})) << "memory still holds the old program";
    userTogglesBreakpoint(wb, 2);  // not assembled yet
    EXPECT_EQ(debugStatusText(wb), u"The breakpoint on line 2 stops runs after the next ASM");
    Command1_Click(wb);
    EXPECT_EQ(set(), (std::vector<Breakpoint>{{2, 0x0000}, {8, 0x000C}, {11, 0x0010}}));

    Text text = wb.text1.text;
    text.replace(text.find(u"    EXIT"), 8, u"    ");  // line 11 now makes no words
    userSetsSource(wb, text);
    EXPECT_EQ(set(), (std::vector<Breakpoint>{{2, 0x0000}, {8, 0x000C}, {11, 0x0010}}));
    text.erase(11, twoLinesAbove.size());  // the two lines go again, and line 2's breakpoint with them
    userSetsSource(wb, text);
    EXPECT_EQ(set(), (std::vector<Breakpoint>{{6, 0x000C}, {9, 0x0010}}));
    Command1_Click(wb);
    EXPECT_EQ(set(), (std::vector<Breakpoint>{{6, 0x0008}})) << "line 9 holds none";
}

TEST_F(BreakpointRuns, RunToCursorStopsAtTheCaretLine) {
    struct Row {
        bool debugMode;
        const char16_t* pc;
        int32_t caretLine;
        const char16_t* status;
        const char16_t* pcAfter;
        size_t outputs;
    };
    const Row rows[] = {
        {false, u"0000", kExitLine, u"Reached line 9 (address 000C)", u"000C", 2},
        {true, u"0000", kExitLine, u"Reached line 9 (address 000C)", u"000C", 2},
        {false, u"0004", 4, u"Reached line 4 (address 0004)", u"0004", 1},  // from its own address: once round
        {false, u"0000", kEndProgLine, u"Line 8 makes no words", u"0000", 0},
    };
    for (const Row& r : rows) {
        Loaded fresh;
        wb = Workbench(fresh.wb, display);
        Command1_Click(wb);
        display.shown.clear();
        if (wb.run.debugMode != r.debugMode) Label3_Click(wb);
        userEditsBox(wb, 4, u"0026");
        userEditsBox(wb, kPcBox, r.pc);
        caretOnLine(r.caretLine);
        userRunsToCursor(wb);
        EXPECT_EQ(debugStatusText(wb), r.status) << r.caretLine;
        EXPECT_EQ(wb.txtGR[kPcBox], r.pcAfter) << r.caretLine;
        EXPECT_EQ(display.shown.size(), r.outputs) << r.caretLine;
    }
    userTogglesBreakpoint(wb, kJmpLine);
    caretOnLine(kExitLine);
    userRunsToCursor(wb);
    EXPECT_EQ(debugStatusText(wb), u"Stopped at the breakpoint on line 7 (address 000A)");
    userSetsSource(wb, kSampleProgram + u"    EXIT\r\n");
    caretOnLine(19);
    EXPECT_EQ(runToCursorTarget(wb), kLineUnknown);
    EXPECT_EQ(debugStatusText(wb), u"Line 19 has changed since the last ASM");
}

TEST_F(BreakpointRuns, FromTheListingAndF9) {
    userTogglesListingBreakpoint(wb, 7);  // "000D:  0B00  0013 ": the OUT of line 10
    EXPECT_EQ(set(), (std::vector<Breakpoint>{{kOutLine, 0x000D}}));
    EXPECT_TRUE(listingLineHasBreakpoint(wb, 7));
    EXPECT_FALSE(listingLineHasBreakpoint(wb, 8));
    userTogglesListingBreakpoint(wb, 8);  // "000F:  0100  0012 ": the same statement's JMP
    EXPECT_TRUE(set().empty());
    caretOnLine(5);
    userSelects(wb, wb.text1.selStart + 4, 3);  // a selection within the line
    userTogglesBreakpointAtCaret(wb);
    EXPECT_EQ(set(), (std::vector<Breakpoint>{{5, 0x0006}}));
    EXPECT_TRUE(listingLineHasBreakpoint(wb, 3));
}

TEST_F(BreakpointRuns, APressDrivenAStepAtATimeKeepsTheRules) {
    runMode();
    userTogglesBreakpoint(wb, kExitLine);
    userSetsSpeed(wb, 5);
    EXPECT_TRUE(pressIsWatched(wb, -1));
    Loaded whole;
    Command1_Click(whole.wb);
    Label3_Click(whole.wb);
    userTogglesBreakpoint(whole.wb, kExitLine);
    Command2_Click(whole.wb);

    userBeginsWatchedPress(wb, -1);
    EXPECT_EQ(statusText(wb.status, false), u"Running\u2026");
    int steps = 0;
    while (userWatchesStep(wb)) {
        ++steps;
        EXPECT_TRUE(wb.changed.boxes[kPcBox]) << "each step marks what it changed";
    }
    EXPECT_EQ(steps, static_cast<int>(whole.wb.run.history.steps()));
    EXPECT_EQ(wb.run.history.text(), whole.wb.run.history.text());
    EXPECT_EQ(wb.txtGR, whole.wb.txtGR);
    EXPECT_EQ(statusText(wb.status, false), u"Stopped before the instruction at 000C after 18 instructions");
    EXPECT_EQ(statusBarText(wb, false), u"Stopped at the breakpoint on line 9 (address 000C)");

    userBeginsWatchedPress(wb, -1);  // goes on from the breakpoint: EXIT
    EXPECT_FALSE(userWatchesStep(wb));
    EXPECT_EQ(wb.run.haltedBy, Halt::Exit);
    userBeginsWatchedPress(wb, -1);
    EXPECT_TRUE(userWatchesStep(wb));
    userStopsWatchedPress(wb);
    EXPECT_EQ(statusBarText(wb, false), u"Stopped by you at 0002 after 1 instruction");
    EXPECT_FALSE(pressGoesOn(wb)) << "an ended press takes no more steps";
    userSetsSpeed(wb, 7);  // no such speed
    EXPECT_EQ(wb.debug.speed, 5);
    Label3_Click(wb);
    EXPECT_FALSE(pressIsWatched(wb, -1));
    EXPECT_TRUE(pressIsWatched(wb, 0x000C));
}

}  // namespace
}  // namespace comet
