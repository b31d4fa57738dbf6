// Endless-loop detection: a Run Mode run that comes back to an earlier state stops with
// the earliest steps that repeat, soon after the loop begins; a long run that ends is
// never stopped. The session endless_loop shows the status, input and the plain run.
#include <gtest/gtest.h>

#include "emulator/engine.hpp"
#include "emulator/run_loop.hpp"
#include "loaded.hpp"
#include "session/debugging.hpp"

namespace comet {
namespace {

struct Watched : Loaded {
    explicit Watched(const Text& source) {
        userSetsSource(wb, source);
        Command1_Click(wb);
        Label3_Click(wb);  // Run Mode
        wb.debug.detectLoops = true;
    }
    void run(long mostSteps) {
        display.interruptAfter = mostSteps;
        Command2_Click(wb);
    }
};

TEST(LoopDetection, FindsTheEarliestStepsThatRepeat) {
    struct Row {
        const char* what;
        Text source;
        uint64_t first, last;
        int32_t low, high;
    };
    const Row rows[] = {
        {"a jump to itself", u"L JMP L\r\n", 1, 1, 0x0000, 0x0000},
        // The return address pushed by the first CALL is in memory from then on.
        {"a call and return through the stack",
         u"  LEA GR4,STACK\r\nL CALL SUBR\r\n  JMP L\r\nSUBR RET\r\n  DS 4\r\nSTACK END\r\n", 3, 5, 0x0002, 0x0006},
        // 100,000 steps count GR1 down from C34F, then GR2 counts from -499 to 0, round and
        // round: 1 + 499 * 2 + 1 = 1,000 steps a round.
        {"a loop of 1,000 steps after 100,000",
         u"   LEA GR1,#C34F\r\nL1 SUB GR1,ONE\r\n   JNZ L1\r\n   LEA GR3,0\r\n"
         u"L2 LD GR2,MK\r\nL3 ADD GR2,ONE\r\n   JNZ L3\r\n   JMP L2\r\nONE DC 1\r\nMK DC -499\r\n",
         100001, 101000, 0x0008, 0x000E},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Watched w(r.source);
        w.run(10'000'000);
        ASSERT_EQ(w.wb.run.haltedBy, Halt::EndlessLoop);
        const FoundLoop& loop = w.wb.debug.status.loop;
        EXPECT_EQ(loop.first, r.first);
        EXPECT_EQ(loop.last, r.last);
        EXPECT_EQ(loop.low, r.low);
        EXPECT_EQ(loop.high, r.high);
        EXPECT_LE(w.wb.debug.press.steps, 3 * r.last) << "found within a small multiple of its start and length";
    }
}

// GR0 counts down through all 65536 values, 92 times: 12,058,902 steps, then EXIT.
TEST(LoopDetection, NeverStopsALongRunThatEnds) {
    Watched w(u"   LEA GR1,92\r\nL0 LEA GR0,0\r\nL1 SUB GR0,ONE\r\n   JNZ L1\r\n   SUB GR1,ONE\r\n   JNZ L0\r\n"
              u"   EXIT\r\nONE DC 1\r\n");
    w.run(20'000'000);
    EXPECT_EQ(w.wb.run.haltedBy, Halt::Exit);
}

}  // namespace
}  // namespace comet
