// The workbench refreshes its displays cheaply (dump lines made when shown, the PC
// line found through an index, the history kept as steps); after every step they
// must read exactly as the plain rebuild gives them. SelectPcLine tests the odd PC texts.
#include <gtest/gtest.h>

#include "literal_refresh.hpp"
#include "loaded.hpp"
#include "emulator/engine.hpp"
#include "emulator/run_loop.hpp"
#include "session/headless.hpp"
#include "workbench/lists.hpp"
#include "session/mainwindow.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

// Stores into a moving buffer, pushes, calls, shifts and prints every tenth round.
const Text kBusyProgram =
    u"MAIN  START\r\n"
    u"      LEA  GR4,STACK\r\n"
    u"      LEA  GR1,0\r\n"
    u"LOOP  ADD  GR1,ONE\r\n"
    u"      ST   GR1,BUF,GR2\r\n"
    u"      LEA  GR2,1,GR2\r\n"
    u"      CPA  GR2,TEN\r\n"
    u"      JNZ  SKIP\r\n"
    u"      LEA  GR2,0\r\n"
    u"      OUT  MSG,LEN\r\n"
    u"SKIP  PUSH 0,GR1\r\n"
    u"      POP  GR3\r\n"
    u"      CALL SUB\r\n"
    u"      SLL  GR3,FOUR\r\n"
    u"      JMP  LOOP\r\n"
    u"SUB   SRA  GR3,ONE\r\n"
    u"      RET\r\n"
    u"ONE   DC 1\r\n"
    u"FOUR  DC 4\r\n"
    u"TEN   DC 10\r\n"
    u"MSG   DC 'HI'\r\n"
    u"LEN   DC 2\r\n"
    u"BUF   DS 10\r\n"
    u"      DS 20\r\n"
    u"STACK END\r\n";

struct Equivalence : ::testing::Test, Loaded {
    LiteralDisplays literal;
    void assemble(const Text& source) {
        userSetsSource(wb, source);
        Command1_Click(wb);
    }
    void expectSameDisplays(long step) {
        literalRefresh(wb, literal);
        ASSERT_EQ(dumpLineCount(wb), static_cast<int32_t>(literal.dump.size())) << "step " << step;
        for (int32_t i = 0; i < dumpLineCount(wb); ++i)
            ASSERT_EQ(dumpLineText(wb, i), literal.dump[static_cast<size_t>(i)]) << "step " << step << " line " << i;
        ASSERT_EQ(wb.list1.selected, literal.selected) << "step " << step;
        ASSERT_EQ(wb.run.history.text(), literal.history) << "step " << step;
        for (int k = 0; k < kPcBox; ++k) {
            if (wb.txtGRValue[static_cast<size_t>(k)] < 0) continue;  // the user's own text
            ASSERT_EQ(wb.txtGR[static_cast<size_t>(k)], cnvHex4(wb.regs.r[static_cast<size_t>(k)])) << "step " << step;
        }
    }
};

TEST_F(Equivalence, EveryStepOfABusyProgram) {
    assemble(kBusyProgram);
    expectSameDisplays(0);
    for (long step = 1; step <= 3000; ++step) {
        if (step % 97 == 0) userEditsBox(wb, 3, u" 7f");       // a text the refresh did not write
        if (step % 211 == 0) userEditsBox(wb, 0, u"12 34");
        Command2_Click(wb);
        expectSameDisplays(step);
    }
    EXPECT_GT(display.shown.size(), 10u);
}

}  // namespace
}  // namespace comet
