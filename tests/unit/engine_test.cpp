// The engine's arithmetic rules row by row, and the register boxes' reading of
// typed text; the golden session scripts show the same rules at work in whole runs.
#include <gtest/gtest.h>

#include <string>

#include "emulator/engine.hpp"
#include "session/headless.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

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

TEST(RegisterBoxes, ReadingTypedText) {
    const std::pair<const char16_t*, int32_t> rows[] = {
        {u"ffff", -1},       {u"7FFF", 32767},      {u"8000", -32768},     {u"12G4", 0x12},
        {u"", 0},            {u"xyz", 0},           {u"10000", 65536},     {u"FFFFFFFF", -1},
        {u"0FFFF", -1},      {u"1 2\t3\n4", 0x1234}, {u"123456789", 0x23456789}, {u"7FFFFFFF", 2147483647},
        {u"80000000", -2147483647 - 1}, {u"0000000000001", 1}, {u"12\r34", 0x12}, {u"ＦＦ", 0},
    };
    for (const auto& [text, v] : rows) EXPECT_EQ(readBoxValue(text), v) << toUtf8(text);
}

}  // namespace
}  // namespace comet
