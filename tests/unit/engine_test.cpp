// The execution engine, run control, register boxes and standard input/output,
// driven on the headless display.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "emulator/engine.hpp"
#include "emulator/stdio.hpp"
#include "ui/headless.hpp"
#include "workbench/lists.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

struct Machine : ::testing::Test {
    HeadlessDisplay display;
    Workbench wb{display};
    Machine() {
        Label3_Click(wb);  // Debug Mode, as the window starts
    }
    void place(int32_t address, std::initializer_list<int32_t> words) {
        for (int32_t w : words) wb.memory.writableCell(address++ + 1).value = signed16(w);
        if (address > wb.locationCounter) wb.locationCounter = address;
    }
    int32_t word(int32_t address) const { return wb.memory.cell(address + 1).value; }
    void box(int k, const char* text) { setBoxText(wb, k, fromAscii(text)); }
    void press() { Command2_Click(wb); }
    void label3Run() {
        if (wb.run.debugMode) Label3_Click(wb);
    }
    std::vector<Text> messages() const {
        std::vector<Text> out;
        for (const auto& b : display.shown) out.push_back(b.text);
        return out;
    }
    std::string boxes() const {
        std::string s;
        for (const auto& t : wb.txtGR) s += toUtf8(t) + " ";
        return s;
    }
};

// ---- Flag rule, comparisons ----

TEST(FlagRule, ZeroMinusPlus) {
    struct Row { int64_t value; int32_t fr; };
    const Row rows[] = {{0, kFRZero}, {1, kFRPlus}, {32767, kFRPlus}, {32768, kFRMinus}, {-1, kFRMinus},
                        {-32768, kFRMinus}, {0x10000, kFRMinus}, {0x12340, kFRMinus}, {0x7FFF, kFRPlus}};
    for (const auto& r : rows) EXPECT_EQ(frOf(r.value), r.fr) << r.value;
}

TEST(Compare, ArithmeticAndLogicalDifferAboveSigned16) {
    struct Row { int32_t a, b, cpa, cpl; };
    const Row rows[] = {
        {65535, 1, kFRMinus, kFRPlus},  // a not yet re-read from its box
        {-1, 1, kFRMinus, kFRMinus},   {5, 3, kFRPlus, kFRPlus},      {3, 3, kFRZero, kFRZero},
        {0x8000, 0x7FFF, kFRMinus, kFRPlus}, {0xFFFF, -1, kFRZero, kFRPlus}, {-5, -5, kFRZero, kFRZero},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(emCPA(r.a, r.b), r.cpa) << r.a << " " << r.b;
        EXPECT_EQ(emCPL(r.a, r.b), r.cpl) << r.a << " " << r.b;
    }
}

// ---- Shifts ----

TEST(Shifts, ValuesAndFlags) {
    HeadlessDisplay display;
    Workbench wb{display};
    using Fn = int32_t (*)(Workbench&, int32_t, int32_t);
    struct Row { const char* name; Fn fn; int32_t v, n, result, fr; };
    const Row rows[] = {
        {"SLL", emSLL, 0x1234, 4, 0x12340, kFRMinus},
        {"SLL", emSLL, 0x00FF, 16, 0xFF0000, kFRMinus},
        {"SLL", emSLL, 0x00FF, 17, 0, kFRZero},
        {"SLL", emSLL, 0x1234, 0, 0x1234, kFRPlus},
        {"SLL", emSLL, 5, -1, 2, kFRPlus},          // 2.5 rounds to even
        {"SLL", emSLL, 7, -1, 4, kFRPlus},          // 3.5 rounds to even
        {"SLL", emSLL, 1, 2147483647, 0, kFRZero},  // a huge count ends at once
        {"SLL", emSLL, 1, -2147483647 - 1, 0, kFRZero},
        {"SLL", emSLL, 0x7FFFFFFF, 8, static_cast<int32_t>(0xFFFFFF00u), kFRMinus},  // wraps in 32 bits
        {"SLA", emSLA, 0x4001, 1, 0x0002, kFRPlus},
        {"SLA", emSLA, -1, 1, -2, kFRMinus},
        {"SLA", emSLA, 0x1234, 12, 0x4000, kFRPlus},
        {"SLA", emSLA, -32768, 2147483647, -32768, kFRMinus},
        {"SRA", emSRA, -32768, 1, -16384, kFRMinus},
        {"SRA", emSRA, -32768, 2147483647, -1, kFRMinus},
        {"SRA", emSRA, 0x4000, 2, 0x1000, kFRPlus},
        {"SRA", emSRA, 0x1234, 0, 0x1234, kFRPlus},
        {"SRA", emSRA, 0x1234, -3, 0x1234, kFRPlus},
        {"SRL", emSRL, -1, 1, 0x7FFF, kFRPlus},
        {"SRL", emSRL, -1, 2, 0x3FFF, kFRPlus},
        {"SRL", emSRL, 0x8000, 15, 1, kFRPlus},
        {"SRL", emSRL, 0x8000, 16, 0, kFRZero},
        {"SRL", emSRL, 0x12340, 1, 0x51A0, kFRPlus},
        {"SRL", emSRL, 1, 2147483647, 0, kFRZero},
        {"SRL", emSRL, 0x1234, 0, 0x1234, kFRPlus},
    };
    for (const auto& r : rows) {
        wb.regs.r[kRegFR] = 12345;
        EXPECT_EQ(r.fn(wb, r.v, r.n), r.result) << r.name << " " << r.v << " by " << r.n;
        EXPECT_EQ(wb.regs.r[kRegFR], r.fr) << r.name << " " << r.v << " by " << r.n;
    }
}

// ---- Register boxes ----

TEST(RegisterBoxes, HexFormatting) {
    const std::pair<int32_t, const char16_t*> rows[] = {{0, u"0000"},     {10, u"000A"},  {4660, u"1234"},
                                                        {65535, u"FFFF"}, {-1, u"FFFF"},  {-32768, u"8000"},
                                                        {65536, u"0000"}, {74565, u"2345"}};
    for (const auto& [v, text] : rows) EXPECT_EQ(cnvHex4(v), text) << v;
}

TEST(RegisterBoxes, ReadingTypedText) {
    const std::pair<const char16_t*, int32_t> rows[] = {
        {u"ffff", -1},       {u"7FFF", 32767},      {u"8000", -32768},     {u"12G4", 0x12},
        {u"", 0},            {u"xyz", 0},           {u"10000", 65536},     {u"FFFFFFFF", -1},
        {u"0FFFF", -1},      {u"1 2\t3\n4", 0x1234}, {u"123456789", 0x23456789}, {u"7FFFFFFF", 2147483647},
        {u"80000000", -2147483647 - 1}, {u"0000000000001", 1}, {u"12\r34", 0x12}, {u"ＦＦ", 0},
    };
    for (const auto& [text, v] : rows) EXPECT_EQ(readBoxValue(text), v) << toUtf8(text);
}

TEST_F(Machine, BoxWriteRunsHookOnlyOnChange) {
    wb.regs.r[0] = 65535;
    DumpMemReg(wb);
    EXPECT_EQ(wb.txtGR[0], u"FFFF");
    EXPECT_EQ(wb.regs.r[0], -1);  // read back from the four digits
    wb.regs.r[0] = 0x1FFFF;       // same four digits: the box text does not change
    DumpMemReg(wb);
    EXPECT_EQ(wb.regs.r[0], 0x1FFFF);
    box(0, "10000");
    EXPECT_EQ(wb.regs.r[0], 65536);
    DumpMemReg(wb);
    EXPECT_EQ(wb.txtGR[0], u"0000");
    EXPECT_EQ(wb.regs.r[0], 0);
}

// ---- Decoding and messages ----

TEST_F(Machine, InvalidWordsRaiseOneToThreeMessagesInOrder) {
    struct Row { int32_t word; std::vector<Text> messages; };
    const Row rows[] = {
        {0x1060, {u"命令コードの例外（GR指定）"}},
        {0x1006, {u"命令コードの例外（XR指定）"}},
        {0x1300, {u"*命令コードの例外"}},
        {0x0701, {u"*命令コードの例外"}},
        {0x13F7, {u"命令コードの例外（GR指定）", u"命令コードの例外（XR指定）", u"*命令コードの例外"}},
        {0xFF6F, {u"命令コードの例外（GR指定）", u"命令コードの例外（XR指定）", u"*命令コードの例外"}},
    };
    for (const auto& r : rows) {
        display.shown.clear();
        place(0, {r.word, 5});
        box(kPcBox, "0000");
        press();
        EXPECT_EQ(messages(), r.messages) << std::hex << r.word;
        EXPECT_EQ(wb.txtGR[kPcBox], u"0002") << std::hex << r.word;  // the step goes on
        for (auto& t : display.shown) EXPECT_EQ(t.title, kAppTitle);
    }
}

TEST_F(Machine, RegisterFieldFiveNamesFR) {
    place(0, {0x1050, 0x0010, 0x1250, 0x8001, 0x1005, 0x0001});
    place(0x10, {0x0123});
    press();  // LD FR,#10
    EXPECT_EQ(wb.regs.r[kRegFR], 0x0123);
    press();  // LEA FR,#8001: E stored in FR, then the flag rule
    EXPECT_EQ(wb.regs.r[kRegFR], kFRMinus);
    EXPECT_EQ(wb.txtGR[5], u"8000");
    press();  // LD GR0,1,FR: index 5 adds FR (-32768) to the address
    EXPECT_EQ(wb.run.haltedBy, Halt::AddressError);
    EXPECT_EQ(messages().back(), u"*Address Error (Address=-32767)");
}

TEST_F(Machine, LoadsStoresAndArithmetic) {
    // LD GR1,#20 / ST GR1,#21 / ADD GR1,#22 / LEA GR0,0 / SUB GR2,#22
    place(0, {0x1010, 0x20, 0x1110, 0x21, 0x2110, 0x22, 0x1200, 0x0000, 0x2220, 0x22});
    place(0x20, {32767, 0, 1});
    wb.regs.r[kRegFR] = 0;
    press();
    EXPECT_EQ(wb.regs.r[1], 32767);
    EXPECT_EQ(wb.txtGR[5], u"0000");  // LD leaves FR
    press();
    EXPECT_EQ(word(0x21), 32767);
    press();
    EXPECT_EQ(wb.txtGR[1], u"8000");
    EXPECT_EQ(wb.txtGR[5], u"8000");
    EXPECT_EQ(wb.regs.r[1], -32768);  // re-read from the box by the refresh
    press();
    EXPECT_EQ(wb.regs.r[0], 0);
    EXPECT_EQ(wb.txtGR[5], u"4000");
    press();
    EXPECT_EQ(wb.txtGR[2], u"FFFF");
}

TEST_F(Machine, ExitHaltsAndRestartsAtZero) {
    place(0x10, {0x0000});
    box(kPcBox, "0010");
    label3Run();
    press();
    EXPECT_TRUE(wb.run.halted);
    EXPECT_EQ(wb.txtGR[kPcBox], u"0000");
}

// ---- Stack ----

TEST_F(Machine, PushLandsInTheCellNamedByGR4) {
    place(0, {0x0800, 0x1234, 0x0930, 0x0000});  // PUSH #1234 / POP GR3
    box(4, "0010");
    press();
    EXPECT_EQ(wb.txtGR[4], u"000F");
    EXPECT_EQ(wb.memory.cell(0x0F).value, 0x1234);
    EXPECT_EQ(word(0x0E), 0x1234);  // the dump shows it at address 000E
    press();
    EXPECT_EQ(wb.txtGR[3], u"1234");
    EXPECT_EQ(wb.txtGR[4], u"0010");
    EXPECT_NE(wb.run.history.text().find(u"Code=0930 Effective Address=0000 Register No. = 3"), Text::npos);
}

TEST_F(Machine, PushErrorAtStackBottomCallStillJumps) {
    place(0, {0x0800, 0x0005, 0x0600, 0x0010});
    box(4, "0000");
    press();
    EXPECT_EQ(messages(), std::vector<Text>{u"*Push Error"});
    EXPECT_EQ(wb.txtGR[4], u"0000");
    press();
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_EQ(wb.txtGR[kPcBox], u"0010");
}

TEST_F(Machine, CallAndReturnThroughTheStack) {
    place(8, {0x0600, 0x0020});
    place(0x20, {0x0700});
    box(4, "0026");
    box(kPcBox, "0008");
    press();
    EXPECT_EQ(wb.memory.cell(0x25).value, 0x000A);
    EXPECT_EQ(wb.txtGR[4], u"0025");
    EXPECT_EQ(wb.txtGR[kPcBox], u"0020");
    press();
    EXPECT_EQ(wb.txtGR[kPcBox], u"000A");
    EXPECT_EQ(wb.txtGR[4], u"0026");
    EXPECT_NE(wb.run.history.text().find(u"Code=0700 Return Address=000A\r\n"), Text::npos);
}

// ---- Accesses outside memory ----

TEST_F(Machine, AccessOutsideMemoryHaltsAtTheFaultingInstruction) {
    struct Row { std::vector<int32_t> words; const char* pc; const char* gr4; const char* message; };
    const Row rows[] = {
        {{}, "00C8", "0000", "*Address Error (Address=200)"},               // first word
        {{}, "FFFF", "0000", "*Address Error (Address=-1)"},
        {{0x1000, 0x00C8}, "0000", "0000", "*Address Error (Address=200)"},  // LD operand
        {{0x1000, 0xFFFE}, "0000", "0000", "*Address Error (Address=-2)"},
        {{0x1100, 0x00C8}, "0000", "0000", "*Address Error (Address=200)"},  // ST
        {{0x2800, 0x7000}, "0000", "0000", "*Address Error (Address=28672)"}, // shift count
        {{0x0800, 0x0001}, "0000", "00CA", "*Address Error (Address=200)"},  // push to cell 201
        {{0x0600, 0x0001}, "0000", "00CA", "*Address Error (Address=200)"},  // CALL's push
        {{0x0930, 0x0000}, "0000", "00C9", "*Address Error (Address=200)"},  // pop from cell 201
        {{0x0700}, "0000", "FFFF", "*Address Error (Address=-2)"},           // RET from cell -1
    };
    for (const auto& r : rows) {
        wb = Workbench(display);
        Label3_Click(wb);
        display.shown.clear();
        for (size_t i = 0; i < r.words.size(); ++i) place(static_cast<int32_t>(i), {r.words[i]});
        box(4, r.gr4);
        box(kPcBox, r.pc);
        const Memory before = wb.memory;
        const auto regsBefore = wb.regs.r;
        press();
        ASSERT_EQ(messages(), std::vector<Text>{fromAscii(r.message)}) << r.message;
        EXPECT_TRUE(wb.run.halted);
        EXPECT_EQ(wb.run.haltedBy, Halt::AddressError);
        EXPECT_EQ(wb.txtGR[kPcBox], fromAscii(r.pc)) << r.message;
        EXPECT_EQ(wb.regs.r, regsBefore) << r.message;
        for (int c = 0; c < kCellCount; ++c) EXPECT_EQ(wb.memory.cell(c).value, before.cell(c).value);
    }
}

TEST_F(Machine, FaultTraceKeepsTheFirstLineOnly) {
    place(0, {0x1000, 0x00C8});
    press();
    EXPECT_EQ(wb.run.history.text(),
              u"\r\n*Exec Address = 0000 Code=1000\r\n      After GR0:0000 GR1:0000 GR2:0000 GR3:0000 GR4:0000 FR:0000\r\n");
    display.shown.clear();
    box(kPcBox, "00C8");
    const Text before = wb.run.history.text();
    press();
    EXPECT_EQ(wb.run.history.text(), before);  // the first word could not be fetched
}

TEST_F(Machine, TraceShowsBoxTextsAsTheUserLeftThem) {
    place(0, {0x1230, 0x0005});  // LEA GR3,5
    box(3, " 7f");
    box(kPcBox, "0");
    press();
    EXPECT_EQ(wb.run.history.text(),
              u"\r\n*Exec Address = 0 Code=1230 Effective Address=0005 Register No. = 3\r\n"
              u"      After GR0:0000 GR1:0000 GR2:0000 GR3: 7f GR4:0000 FR:0000\r\n");
}

TEST_F(Machine, LastCellIsUsableAsData) {
    place(0, {0x1000, 0x00C7, 0x1000, 0xFFFF});  // LD GR0,199 / LD GR0,-1 (cell 0)
    wb.memory.writableCell(200).value = 7;
    wb.memory.writableCell(0).value = 9;
    press();
    EXPECT_EQ(wb.regs.r[0], 7);
    press();
    EXPECT_EQ(wb.regs.r[0], 9);
    EXPECT_TRUE(display.shown.empty());
}

// ---- History ----

TEST_F(Machine, HistoryKeepsItsLast5000Characters) {
    place(0, {0x0100, 0x0000});  // JMP 0
    for (int i = 0; i < 40; ++i) press();
    const Text h = wb.run.history.text();
    EXPECT_EQ(h.size(), kHistoryLimit);
    const Text step = u"\r\n*Exec Address = 0000 Code=0100 Effective Address=0000 Register No. = 0\r\n"
                      u"      After GR0:0000 GR1:0000 GR2:0000 GR3:0000 GR4:0000 FR:0000\r\n";
    EXPECT_EQ(h.substr(h.size() - step.size()), step);
    EXPECT_EQ(h.substr(0, 10), step.substr(step.size() - (5000 % step.size())).substr(0, 10));
}

// ---- Run control ----

TEST_F(Machine, ModeLabelAndLabel6) {
    EXPECT_EQ(wb.label3, u"Debug Mode");
    place(0, {0x1200, 0x0001, 0x1200, 0x0002, 0x0000});
    press();
    EXPECT_EQ(wb.label6, u"Executed Operation =1200");
    label3Run();
    EXPECT_EQ(wb.label3, u"Run Mode");
    wb.label6 = u"Executed";
    press();
    EXPECT_EQ(wb.label6, u"Executed");  // Run Mode keeps its last caption
    EXPECT_EQ(wb.txtGR[kPcBox], u"0000");
}

TEST_F(Machine, StopRequestEndsARunAfterThatStep) {
    place(0, {0x2110, 0x0010, 0x0100, 0x0000});  // ADD GR1,#10 / JMP 0
    place(0x10, {1});
    label3Run();
    display.interruptAfter = 7;
    press();
    EXPECT_TRUE(wb.run.halted);
    EXPECT_EQ(wb.txtGR[1], u"0004");
    EXPECT_EQ(wb.txtGR[kPcBox], u"0002");
    display.interruptAfter = 2;
    press();  // resumes at the JMP
    EXPECT_EQ(wb.txtGR[1], u"0005");
    EXPECT_EQ(wb.txtGR[kPcBox], u"0002");
}

}  // namespace
}  // namespace comet
