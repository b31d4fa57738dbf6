// Traces as rows: an instruction cut short by the end of memory, and where two runs part.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "session/actions.hpp"
#include "emulator/engine.hpp"
#include "emulator/run_loop.hpp"
#include "session/headless.hpp"
#include "session/mainwindow.hpp"
#include "grading/run_compare.hpp"
#include "grading/step_trace.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

// A workbench before its window loads: assembleForRun loads it.
struct Fresh {
    HeadlessDisplay display;
    Workbench wb{display};
};

TEST(StepRecorder, AnInstructionAtTheLastAddressHasOneWord) {
    Fresh f;
    f.wb.memory.writableCell(kAddressCount).value = 0x1010;  // LD GR1 at 00C7, its address word beyond memory
    setBoxText(f.wb, kPcBox, u"00C7");
    StepRecorder recorder;
    recorder.start(f.wb);
    Command2_Click(f.wb);
    StepRow row;
    ASSERT_TRUE(recorder.take(f.wb, row));
    EXPECT_EQ(row.pc, 0xC7);
    EXPECT_EQ(row.wordCount, 1);
    EXPECT_EQ(traceCsvLine(row), "1,00C7,1010,LD,,,0000,0000,0000,0000,0000,0000,\n");
    EXPECT_FALSE(recorder.take(f.wb, row));
}

// ---- Where two runs part ----

std::optional<std::string> departure(const char* mine, const char* reference, long maxSteps = 100) {
    Fresh a, b;
    EXPECT_TRUE(assembleForRun(a.wb, fromUtf8(mine)));
    EXPECT_TRUE(assembleForRun(b.wb, fromUtf8(reference)));
    const auto d = firstDeparture(a.wb, b.wb, maxSteps);
    if (!d) return std::nullopt;
    return toUtf8(*d);
}

TEST(FirstDeparture, IsTheFirstStepThatDoesOtherwise) {
    struct Row {
        const char* mine;
        const char* reference;
        std::optional<std::string> expected;
    };
    // The graded class shows the departures of registers and of instructions run.
    const Row rows[] = {
        // Laid out otherwise, the same steps: no departure.
        {"  LEA GR1,5\r\n  EXIT\r\n", "  LEA GR1,5\r\n  EXIT\r\n  DC 7\r\n", std::nullopt},
        {"  JMP S\r\n  DC 9\r\nS LEA GR1,5\r\n  EXIT\r\n", "  JMP S\r\nS LEA GR1,5\r\n  EXIT\r\n", std::nullopt},
        {"  ST GR0,A\r\n  EXIT\r\nA DC 1\r\n", "  ST GR1,A\r\n  EXIT\r\nA DC 1\r\nB DC 2\r\n", std::nullopt},
        {"  LEA GR1,1\r\n  ST GR1,A\r\n  EXIT\r\nA DC 1\r\n", "  LEA GR1,1\r\n  ST GR0,A\r\n  EXIT\r\nA DC 1\r\n",
         "step 2: ST at 0002 writes 0001 at 0005, the reference 0000 at 0005"},
        {"  LEA GR4,9\r\n  LEA GR1,1\r\n  PUSH 0,GR1\r\n  EXIT\r\n", "  LEA GR4,9\r\n  LEA GR1,1\r\n  PUSH 1\r\n  EXIT\r\n",
         std::nullopt},
        {"  LEA GR4,9\r\n  PUSH 2\r\n  EXIT\r\n", "  LEA GR4,9\r\n  PUSH 3\r\n  EXIT\r\n",
         "step 2: PUSH at 0002 writes 0002 at 0007, the reference 0003 at 0007"},
        // A jump out of memory ends the run without a step at the next address.
        {"  JMP 250\r\n", "  JMP 2\r\n  EXIT\r\n", "step 2: the run has ended, the reference runs EXIT at 0002"},
        {"  JMP 2\r\n  EXIT\r\n", "  JMP 250\r\n", "step 2: runs EXIT at 0002, the reference has ended"},
        // A word that is no instruction is compared by its value.
        {"  DC #FF00\r\n", "  DC #FF00\r\n", std::nullopt},
        {"  DC #FF00\r\n", "  DC #FE00\r\n", "step 1: runs word FF00 at 0000, the reference word FE00 at 0000"},
        // Both go on alike until the limit.
        {"L JMP L\r\n", "L JMP L\r\n", std::nullopt},
    };
    for (const auto& row : rows) EXPECT_EQ(departure(row.mine, row.reference), row.expected) << row.mine;
}

TEST(FirstDeparture, LooksThroughALayoutOtherThanTheReferences) {
    struct Row {
        const char* mine;
        std::optional<std::string> expected;
    };
    // The reference keeps its stack under STACK and walks a buffer through GR2.
    const char* reference =
        "  LEA GR4,STACK\r\n  LEA GR2,BUF\r\n  LEA GR1,#3300\r\n  CALL PUT\r\n  LD GR3,BUF\r\n  EXIT\r\n"
        "PUT ST GR1,0,GR2\r\n  LEA GR2,1,GR2\r\n  RET\r\nBUF DS 2\r\n  DS 4\r\nSTACK DC 0\r\n";
    const Row rows[] = {
        {reference, std::nullopt},
        // Layout only: a word more before the buffer, before the stack, a label renamed.
        {"  LEA GR4,STACK\r\n  LEA GR2,BUF\r\n  LEA GR1,#3300\r\n  CALL PUT\r\n  LD GR3,BUF\r\n  EXIT\r\n"
         "PUT ST GR1,0,GR2\r\n  LEA GR2,1,GR2\r\n  RET\r\nX DS 1\r\nBUF DS 2\r\n  DS 4\r\nSTACK DC 0\r\n",
         std::nullopt},
        {"  LEA GR4,STACK\r\n  LEA GR2,BUF\r\n  LEA GR1,#3300\r\n  CALL PUT\r\n  LD GR3,BUF\r\n  EXIT\r\n"
         "PUT ST GR1,0,GR2\r\n  LEA GR2,1,GR2\r\n  RET\r\nBUF DS 2\r\n  DS 9\r\nSTACK DC 0\r\n",
         std::nullopt},
        {"  LEA GR4,STACK\r\n  LEA GR2,BUF\r\n  LEA GR1,#3300\r\n  CALL OUT1\r\n  LD GR3,BUF\r\n  EXIT\r\n"
         "OUT1 ST GR1,0,GR2\r\n  LEA GR2,1,GR2\r\n  RET\r\nX DS 3\r\nBUF DS 2\r\n  DS 4\r\nSTACK DC 0\r\n",
         std::nullopt},
        // A real fault after a layout change is found at its own step.
        {"  LEA GR4,STACK\r\n  LEA GR2,BUF\r\n  LEA GR1,#3200\r\n  CALL PUT\r\n  LD GR3,BUF\r\n  EXIT\r\n"
         "PUT ST GR1,0,GR2\r\n  LEA GR2,1,GR2\r\n  RET\r\nX DS 1\r\nBUF DS 2\r\n  DS 4\r\nSTACK DC 0\r\n",
         "step 3: LEA at 0004 leaves GR1 = 3200, the reference 3300"},
        {"  LEA GR4,STACK\r\n  LEA GR2,BUF\r\n  LEA GR1,#3300\r\n  CALL PUT\r\n  LD GR3,BUF\r\n  EXIT\r\n"
         "PUT ST GR1,0,GR2\r\n  LEA GR2,2,GR2\r\n  RET\r\nX DS 1\r\nBUF DS 2\r\n  DS 4\r\nSTACK DC 0\r\n",
         "step 6: LEA at 000D leaves GR2 = 0013, the reference 0011"},
        {"  LEA GR4,STACK\r\n  LEA GR2,BUF\r\n  LEA GR1,#3300\r\n  CALL PUT\r\n  LD GR3,BUF\r\n  EXIT\r\n"
         "PUT ST GR1,1,GR2\r\n  LEA GR2,1,GR2\r\n  RET\r\nX DS 1\r\nBUF DS 2\r\n  DS 4\r\nSTACK DC 0\r\n",
         "step 8: LD at 0008 leaves GR3 = 0000, the reference 3300"},
    };
    for (const auto& row : rows) EXPECT_EQ(departure(row.mine, reference), row.expected) << row.mine;
}

}  // namespace
}  // namespace comet
