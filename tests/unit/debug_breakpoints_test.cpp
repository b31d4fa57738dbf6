// Breakpoints set by F9 on a selection, and a press driven a step at a time that keeps
// their rules; the sessions breakpoints and breakpoints_edits show the rest end to end.
#include <gtest/gtest.h>

#include <vector>

#include "emulator/engine.hpp"
#include "emulator/run_loop.hpp"
#include "loaded.hpp"
#include "session/debugging.hpp"
#include "session/exec_status.hpp"
#include "workbench/editor_text.hpp"

namespace comet {
namespace {

constexpr int32_t kExitLine = 9;  // the sample program's EXIT, at 000C

struct BreakpointRuns : ::testing::Test, Loaded {
    BreakpointRuns() {
        Command1_Click(wb);  // the sample program
    }
    void runMode() {
        if (wb.run.debugMode) Label3_Click(wb);
    }
    void caretOnLine(int32_t line) { userSelects(wb, lineStarts(wb.text1.text)[static_cast<size_t>(line - 1)], 0); }
    std::vector<Breakpoint> set() const { return wb.debug.breakpoints.set; }
};

TEST_F(BreakpointRuns, F9AndTheListingsMark) {
    caretOnLine(5);
    userSelects(wb, wb.text1.selStart + 4, 3);  // a selection within the line
    userTogglesBreakpointAtCaret(wb);
    EXPECT_EQ(set(), (std::vector<Breakpoint>{{5, 0x0006}}));
    EXPECT_TRUE(listingLineHasBreakpoint(wb, 3));
    EXPECT_FALSE(listingLineHasBreakpoint(wb, 4));
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

TEST_F(BreakpointRuns, ABreakpointWhoseLineIsDeletedStopsNoRun) {
    runMode();
    userTogglesBreakpoint(wb, kExitLine);
    const auto starts = lineStarts(wb.text1.text);
    Text edited = wb.text1.text;
    const auto exitLine = static_cast<size_t>(starts[kExitLine - 1]);
    edited.erase(exitLine, static_cast<size_t>(starts[kExitLine]) - exitLine);
    userSetsSource(wb, edited);  // memory still holds the EXIT at 000C
    EXPECT_TRUE(set().empty());
    Command2_Click(wb);
    EXPECT_EQ(wb.run.haltedBy, Halt::Exit);
    EXPECT_EQ(debugStatusText(wb), u"");
}

}  // namespace
}  // namespace comet
