// The mnemonic table, the statement head and the operand readers: rows, statuses and
// statement fields that the object words alone do not show.
#include <gtest/gtest.h>

#include <string>

#include "assembler/parser.hpp"
#include "assembler/passes.hpp"
#include "assembler/table.hpp"
#include "ui/headless.hpp"

namespace comet {
namespace {

struct AsmTest : testing::Test {
    HeadlessDisplay display;
    Workbench wb;
    AsmTest() {
        wb.display = &display;
        synInit(wb);
    }
    const TableRow& row(int i) const { return wb.table.rows[static_cast<size_t>(i)]; }
    Text name(int i) const { return u"N" + fromAscii(std::to_string(i)); }
};

TEST_F(AsmTest, ResetHoldsTheReservedWordsInOrder) {
    EXPECT_EQ(wb.table.count, 35);
    struct Expected { int row; std::u16string_view name; const char* cls; int32_t value; };
    const Expected rows[] = {{1, u"LD", "CM0", 0x10},   {14, u"SRL", "CM0", 0x2B}, {19, u"JMP", "CM1", 1},
                             {20, u"PUSH", "CM1", 8},   {21, u"POP", "CM2", 9},    {22, u"CALL", "CM1", 6},
                             {23, u"RET", "CM3", 7},    {25, u"OUT", "MC0", 0x0B}, {26, u"EXIT", "MC1", 0},
                             {27, u"START", "PS0", 1},  {28, u"END", "PS1", 0},    {30, u"DC", "PS3", 0},
                             {31, u"GR0", "REG", 0},    {35, u"GR4", "REG", 4}};
    for (const auto& e : rows) {
        EXPECT_EQ(row(e.row).name, e.name);
        EXPECT_EQ(row(e.row).cls, e.cls);
        EXPECT_EQ(row(e.row).value, e.value);
        EXPECT_EQ(row(e.row).defined, 1);
    }
    EXPECT_EQ(row(0).defined, 1);
    EXPECT_EQ(row(0).value, 0);
    EXPECT_EQ(row(0).cls, "");
}

TEST_F(AsmTest, LookupIgnoresTheCaseOfAsciiLettersOnly) {
    EXPECT_EQ(tblLookup(wb, u"ld", ""), 1);
    EXPECT_EQ(tblLookup(wb, u"Ld", ""), 1);
    EXPECT_EQ(tblLookup(wb, u"gr1", ""), 32);
    EXPECT_EQ(tblLookup(wb, u"J1", ""), 36);
    EXPECT_EQ(tblLookup(wb, u"j1", ""), 36);
    EXPECT_EQ(tblLookup(wb, u"ＬＤ", ""), 37);  // full-width letters are a user name
    EXPECT_EQ(tblLookup(wb, Text(u"LD\0", 3), ""), 38);  // a NUL is a character of the name
    EXPECT_EQ(row(36).name, u"J1");  // spelt as first met
    EXPECT_EQ(row(36).defined, 0);
    EXPECT_EQ(row(36).cls, "");
    EXPECT_EQ(wb.table.count, 38);
    EXPECT_TRUE(display.shown.empty());
}

TEST_F(AsmTest, FullTableGivesRowZeroAndTellsEachTime) {
    for (int i = 1; i <= 64; ++i) ASSERT_EQ(tblLookup(wb, name(i), ""), 35 + i);
    EXPECT_EQ(wb.table.count, 99);
    EXPECT_EQ(tblLookup(wb, u"N65", ""), 0);
    EXPECT_EQ(tblLookup(wb, u"n65", ""), 0);
    EXPECT_EQ(tblLookup(wb, u"n64", ""), 99);
    EXPECT_EQ(tblLookup(wb, u"LD", ""), 1);
    EXPECT_EQ(wb.table.count, 99);
    ASSERT_EQ(display.shown.size(), 2u);
    for (const auto& b : display.shown) EXPECT_EQ(b.text, u"**** Name Table Over ****");
}

TEST_F(AsmTest, AnotherAssemblyForgetsTheNamesAndGivesTheSameRows) {
    wb.text1.text = u"B DC A\r\nA DC B\r\n";
    SynANA(wb);
    EXPECT_EQ(wb.table.count, 37);
    EXPECT_EQ(row(36).name, u"B");
    wb.text1.text = u"    DC A\r\n";
    SynANA(wb);
    EXPECT_EQ(wb.table.count, 36);
    EXPECT_EQ(row(36).name, u"A");
    EXPECT_EQ(row(36).defined, 0);  // the earlier assembly's label does not carry over
}

TEST_F(AsmTest, HeadStatusesAndStatementFields) {
    struct Row { std::u16string_view line; int16_t status; int16_t code; const char* cls; };
    const Row rows[] = {
        {u"", kStatusNoToken, -1, ""},
        {u"  /* x", kStatusNoToken, -1, ""},
        {u"Label", kStatusNoToken, -1, ""},
        {u"J1  Sub GR0,C", kStatusOk, 0x22, "CM0"},
        {u"ld GR1", kStatusOk, 0x10, "CM0"},
        {u"S START", kStatusOk, 1, "PS0"},
        {u"x EXIT", kStatusOk, 0, "MC1"},
        {u"GR1 LD GR2,X", kStatusWrongClass, -1, ""},
        {u"LDX GR1,A", kStatusWrongClass, -1, ""},
        {u"FOO BAR", kStatusWrongClass, -1, ""},
        {u"123 LD", kStatusHeadNotName, -1, ""},
        {u"L 'x'", kStatusHeadNotName, -1, ""},
        {u"'abc", kStatusOpenString, -1, ""},
        {u"L 40000", kStatusBadNumber, -1, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(toUtf8(Text(r.line)));
        wb.as.st.code = -1;
        wb.as.st.cls.clear();
        lexHead(wb, r.line);
        EXPECT_EQ(wb.as.lineStatus, r.status);
        EXPECT_EQ(wb.as.st.code, r.code);
        EXPECT_EQ(wb.as.st.cls, r.cls);
    }
}

TEST_F(AsmTest, LabelsAreDefinedEvenOnRejectedLines) {
    wb.locationCounter = 7;
    lexHead(wb, u"FOO BAR");
    lexHead(wb, u"LDX GR1,A");
    const int16_t foo = tblLookup(wb, u"FOO", "");
    const int16_t bar = tblLookup(wb, u"BAR", "");
    EXPECT_EQ(row(foo).defined, 1);
    EXPECT_EQ(row(foo).value, 7);
    EXPECT_EQ(row(bar).defined, 0);
    EXPECT_EQ(row(tblLookup(wb, u"LDX", "")).value, 7);
}

// Reads a statement's head and operands and generates it, as the syntax pass does.
void assemble(Workbench& wb, TextView line) {
    const TextView rest = lexHead(wb, line);
    ASSERT_EQ(wb.as.lineStatus, kStatusOk);
    genStatement(wb, rest);
}

TEST_F(AsmTest, OperandStatusesAndFields) {
    struct Row {
        std::u16string_view line;
        int16_t status;  // left by the last read; nobody looks at it
        int16_t reg;
        int16_t index;
        int32_t address;
        int16_t tag;
    };
    const int16_t data = 36;
    const Row rows[] = {
        {u"LD GR1,DATA", kStatusNoToken, 1, 0, data, 0},
        {u"LD 1,DATA,2", kStatusOk, 1, 2, data, 0},
        {u"LD GR1 DATA GR2", kStatusOk, 1, 2, data, 0},
        {u"LD GR1,#10", kStatusNoToken, 1, 0, 16, 1},
        {u"LD GR1,'AB'", kStatusNoToken, 1, 0, 0x4142, 1},
        {u"LD GR1,'A'", kStatusNoToken, 1, 0, 0x4100, 1},
        {u"LD GR1,''", kStatusNoToken, 1, 0, 0, 1},
        {u"LD GR1,'ｱ'", kStatusNoToken, 1, 0, 0xB100 - 0x10000, 1},
        {u"LD GR1", kStatusNoAddress, 1, 0, 0, 1},
        {u"LD GR1,,GR2", kStatusOk, 1, 2, 0, 1},
        {u"LD GR5,DATA", kStatusNoToken, 0, 0, data, 0},
        {u"JMP LD", kStatusNoToken, 0, 0, 0, 1},
        {u"JMP DATA,LD", kStatusWrongClass, 0, 0, data, 0},
        {u"JMP X+1", kStatusNoToken, 0, 0, 37, 0},
        {u"POP GR5", kStatusWrongClass, 0, 0, 0, 1},
        {u"POP 5", kStatusWrongClass, 0, 0, 0, 1},
        {u"OUT DATA", kStatusNoAddress, 0, 0, 0, 1},
        {u"DC 'abc", kStatusOpenString, 0, 0, 0, 1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(toUtf8(Text(r.line)));
        synInit(wb);
        tblLookup(wb, u"DATA", "");
        wb.locationCounter = 0;
        wb.as.st = Statement{};
        assemble(wb, r.line);
        EXPECT_EQ(wb.as.lineStatus, r.status);
        EXPECT_EQ(wb.as.st.reg, r.reg);
        EXPECT_EQ(wb.as.st.index, r.index);
        EXPECT_EQ(wb.as.st.address, r.address);
        EXPECT_EQ(wb.as.st.addressTag, r.tag);
    }
    EXPECT_TRUE(display.shown.empty());  // operand faults are never reported
}

TEST_F(AsmTest, ClassWithoutGeneratorGeneratesNothing) {
    wb.as.st.cls = "REG";
    genStatement(wb, u"GR1");
    EXPECT_EQ(wb.locationCounter, 0);
    ASSERT_EQ(display.shown.size(), 1u);
    EXPECT_EQ(display.shown[0].text, u"Can Not Generation");
}

}  // namespace
}  // namespace comet
