// A program opened afresh, the run's time and the console, below the front ends: what
// Open and New keep of the user's choices, that a press's time is the machine's only,
// and where OUT and IN go with the console on. The golden sessions open_new,
// view_follow and console show the rest end to end.
#include <gtest/gtest.h>

#include "emulator/engine.hpp"
#include "loaded.hpp"
#include "session/actions.hpp"
#include "session/debugging.hpp"
#include "session/exec_status.hpp"

namespace comet {
namespace {

// A clock that moves only when a test moves it: whatever the machine takes, it takes no time.
double fakeNow = 0;
double fakeClock() { return fakeNow; }

// A display whose boxes stand open for ten seconds each.
struct SlowBoxes : HeadlessDisplay {
    bool okCancelBox(const Text& text, const Text& title) override {
        fakeNow += 10;
        return HeadlessDisplay::okCancelBox(text, title);
    }
};

TEST(StartWithText, KeepsTheUsersChoicesAndNothingOfTheOldMachine) {
    Loaded l;
    Workbench& wb = l.wb;
    wb.debug.speed = 5;
    wb.debug.detectLoops = true;
    wb.debug.undo.setBudget(4096);
    wb.console.on = true;
    wb.console.lines = {u"old"};
    Command1_Click(wb);
    userPressesExec(wb);
    const int focusBefore = l.display.focusCount;
    startWithText(wb, u"L JMP L\r\n  END\r\n", u"loop.casl");
    EXPECT_EQ(wb.debug.speed, 5);
    EXPECT_TRUE(wb.debug.detectLoops);
    EXPECT_EQ(wb.debug.undo.budget(), 4096u);
    EXPECT_TRUE(wb.console.on);
    EXPECT_TRUE(wb.console.lines.empty());
    EXPECT_EQ(wb.debug.undo.steps(), 0u);
    EXPECT_EQ(wb.run.history.steps(), 0u);
    EXPECT_EQ(wb.locationCounter, 0);
    EXPECT_EQ(wb.label6, kLabel6Initial);
    EXPECT_EQ(wb.text1.text, u"L JMP L\r\n  END\r\n");
    EXPECT_EQ(l.display.focusCount, focusBefore + 1);
    EXPECT_EQ(&wb.display(), &l.display);
    EXPECT_EQ(toUtf8(statusBarText(wb, false)), "loop.casl: a clean machine, nothing assembled yet");
}

TEST(PressTime, CountsNeitherTheBoxesNorTheWaitBetweenWatchedSteps) {
    SlowBoxes display;
    Workbench wb{display};
    wb.run.clock = fakeClock;
    Form_Load(wb);
    Command1_Click(wb);
    Label3_Click(wb);  // Run Mode: the sample shows OUT's box three times
    userPressesExec(wb);
    EXPECT_EQ(wb.status.halt, Halt::Exit);
    EXPECT_GE(display.shown.size(), 2u);
    EXPECT_EQ(wb.status.seconds, 0.0);
    EXPECT_GT(wb.run.boxSeconds, 0.0);

    Command1_Click(wb);
    userBeginsWatchedPress(wb, -1);
    while (userWatchesStep(wb)) fakeNow += 1;  // the window's timer waits between steps
    EXPECT_EQ(wb.status.halt, Halt::Exit);
    EXPECT_EQ(wb.status.seconds, 0.0);
}

TEST(Console, TakesOutAndInWithoutABox) {
    Loaded l;
    Workbench& wb = l.wb;
    userTurnsConsole(wb, true);
    Command1_Click(wb);
    Label3_Click(wb);
    userPressesExec(wb);
    EXPECT_TRUE(l.display.shown.empty());
    ASSERT_EQ(wb.console.lines.size(), 2u);
    EXPECT_EQ(wb.console.lines[0], u"Hellow COMET");
    const uint64_t changes = wb.console.changes;
    userClearsConsole(wb);
    EXPECT_TRUE(wb.console.lines.empty());
    EXPECT_GT(wb.console.changes, changes);
}

}  // namespace
}  // namespace comet
