// The source line lexer: string word counts, number conversion and lexToken's tokens
// and statuses, row by row.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "assembler/lexer.hpp"
#include "ui/headless.hpp"

namespace comet {
namespace {

TEST(StringWordCount, RoundsHalfToEven) {
    const int16_t words[] = {1, 2, 2, 2, 3, 4, 4, 4, 5, 6, 6, 6, 7};  // n = 0..12
    for (size_t n = 0; n < std::size(words); ++n) EXPECT_EQ(stringWordCount(n), words[n]) << n;
    EXPECT_EQ(stringWordCount(199), 100);
    EXPECT_EQ(stringWordCount(65534), 32767);
    EXPECT_EQ(stringWordCount(100000), 32767);  // any string too long for memory
}

TEST(DecimalValue, LongestLeadingNumberRoundedHalfToEven) {
    struct Row { std::u16string_view text; std::optional<int16_t> value; };
    const Row rows[] = {
        {u"7", 7},          {u"-5", -5},         {u"2.5", 2},          {u"3.5", 4},
        {u"-2.5", -2},      {u"-3.5", -4},       {u"0.5", 0},          {u"1.5", 2},
        {u"2.51", 3},       {u"2.4999", 2},      {u"12AB", 12},        {u"-X", 0},
        {u"-", 0},          {u"", 0},            {u".", 0},            {u".5", 0},
        {u".51", 1},        {u"1E3", 1000},      {u"1e+3", 1000},      {u"15E-1", 2},
        {u"25e-1", 2},      {u"1E", 1},          {u"1E+", 1},          {u"1.e2", 100},
        {u"32767", 32767},  {u"-32768", -32768}, {u"32767.4", 32767},  {u"-32768.5", -32768},
        {u"000012", 12},    {u"0e999999999999", 0}, {u"5e-999999999999", 0},
        {u"32768", std::nullopt},   {u"-32769", std::nullopt}, {u"32767.5", std::nullopt},
        {u"40000", std::nullopt},   {u"1E5", std::nullopt},    {u"99999999999999999999", std::nullopt},
        {u"1e999999999999", std::nullopt},
    };
    for (const auto& r : rows) EXPECT_EQ(decimalValue(r.text), r.value) << toUtf8(Text(r.text));
}

TEST(DecimalValue, ExactOnNumbersOfAnyLength) {
    const Text zeros(100000, u'0');
    EXPECT_EQ(decimalValue(zeros + u"12"), 12);
    EXPECT_EQ(decimalValue(u"2.5" + zeros + u"1"), 3);  // just above half: a double would say 2.5
    EXPECT_EQ(decimalValue(u"2.5" + zeros), 2);
    EXPECT_EQ(decimalValue(u"0." + zeros + u"9"), 0);
    EXPECT_EQ(decimalValue(u"1" + zeros), std::nullopt);
    EXPECT_EQ(decimalValue(u"1" + zeros + u"e-100000"), 1);
}

TEST(HexValue, LeadingDigitsAsA16BitPattern) {
    struct Row { std::u16string_view text; std::optional<int16_t> value; };
    const Row rows[] = {
        {u"FFFF", -1},   {u"8000", -32768}, {u"7fff", 32767}, {u"1G", 1},   {u"", 0},
        {u"G1", 0},      {u"00000000000000000000FFFF", -1},   {u"10", 16},
        {u"10000", std::nullopt}, {u"FFFFFFFFFFFFFFFFFFFF", std::nullopt},
    };
    for (const auto& r : rows) EXPECT_EQ(hexValue(r.text), r.value) << toUtf8(Text(r.text));
}

struct LexerTest : testing::Test {
    HeadlessDisplay display;
    Workbench wb{display};
    LexerTest() = default;
};

TEST_F(LexerTest, TokensAndStatuses) {
    struct Row {
        std::u16string_view s;
        int16_t status;
        int16_t kind;
        int16_t words;
        int16_t value;
        std::u16string_view text;
        std::u16string_view rest;
    };
    constexpr int16_t N = kTokNumber, S = kTokString, W = kTokName;
    const Row rows[] = {
        {u"X/*Y", 0, W, 1, 0, u"X/*Y", u""},
        {u"  LD GR1", 0, W, 1, 0, u"LD", u" GR1"},
        {u",,X", 0, N, 1, 0, u"", u",X"},
        {u" ,,X", 0, W, 1, 0, u"X", u""},
        {u",X", 0, W, 1, 0, u"X", u""},
        {u"gr1,", 0, W, 1, 0, u"gr1", u","},
        {u"LD\tGR1", 0, W, 1, 0, u"LD\tGR1", u""},
        {u"a'b'", 0, W, 1, 0, u"a'b'", u""},
        {u"'It''s' X", 0, S, 3, 0, u"It's", u" X"},
        {u"''", 0, S, 1, 0, u"", u""},
        {u"'AB'C", 0, S, 2, 0, u"AB", u"C"},
        {u"'a b,c'", 0, S, 4, 0, u"a b,c", u""},
        {u"'Hellow COMET'", 0, S, 7, 0, u"Hellow COMET", u""},
        {u"'abc", 2, S, 2, 0, u"abc", u""},
        {u"'ab''", 2, S, 2, 0, u"ab'", u""},
        {u"#FFFF", 0, N, 1, -1, u"", u""},
        {u"#1G,2", 0, N, 1, 1, u"", u",2"},
        {u"#", 0, N, 1, 0, u"", u""},
        {u"+7", 0, N, 1, 7, u"", u""},
        {u"-5 X", 0, N, 1, -5, u"", u" X"},
        {u"2.5", 0, N, 1, 2, u"", u""},
        {u"12AB", 0, N, 1, 12, u"", u""},
        {u"-", 0, N, 1, 0, u"", u""},
        {u"9'x y'", 0, N, 1, 9, u"", u" y'"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(toUtf8(Text(r.s)));
        wb.as.token = {N, 9, 99, u"old"};
        const TextView rest = lexToken(wb, r.s);
        EXPECT_EQ(wb.as.lineStatus, r.status);
        EXPECT_EQ(wb.as.token.kind, r.kind);
        EXPECT_EQ(wb.as.token.words, r.words);
        EXPECT_EQ(wb.as.token.value, r.value);
        EXPECT_EQ(wb.as.token.text, r.text);
        EXPECT_EQ(rest, r.rest);
    }
}

TEST_F(LexerTest, NoTokenLeavesTheTokenAsItWas) {
    for (std::u16string_view s : {u"", u"   ", u" , ,, ,", u"/* comment", u"  ,/*x", u"/*"}) {
        wb.as.token = {kTokName, 1, 0, u"LD"};
        EXPECT_EQ(lexToken(wb, s), u"") << toUtf8(Text(s));
        EXPECT_EQ(wb.as.lineStatus, kStatusNoToken);
        EXPECT_EQ(wb.as.token.kind, kTokName);
        EXPECT_EQ(wb.as.token.text, u"LD");
    }
}

TEST_F(LexerTest, FailedConversionIsANumberWhoseValueIsNotSet) {
    for (std::u16string_view s : {u"40000 X", u"#10000 X", u"-32769 X", u"+1E9 X"}) {
        wb.as.token = {kTokString, 5, 42, u"keep"};
        EXPECT_EQ(lexToken(wb, s), u" X") << toUtf8(Text(s));
        EXPECT_EQ(wb.as.lineStatus, kStatusBadNumber);
        EXPECT_EQ(wb.as.token.kind, kTokNumber);
        EXPECT_EQ(wb.as.token.words, 1);
        EXPECT_EQ(wb.as.token.value, 42);
    }
}

TEST_F(LexerTest, StatusIsNotSticky) {
    lexToken(wb, u"'open");
    ASSERT_EQ(wb.as.lineStatus, kStatusOpenString);
    lexToken(wb, u"X");
    EXPECT_EQ(wb.as.lineStatus, kStatusOk);
}

TEST_F(LexerTest, EmptyOperandThenTheNameAfterIt) {
    TextView s = lexToken(wb, u",,X");
    EXPECT_EQ(wb.as.token.kind, kTokNumber);
    s = lexToken(wb, s);
    EXPECT_EQ(wb.as.token.text, u"X");
    EXPECT_EQ(s, u"");
}

TEST_F(LexerTest, ReturnsAViewIntoTheLine) {
    const Text line = u"LD GR1," + Text(100000, u'A');
    const TextView rest = lexToken(wb, line);
    EXPECT_EQ(rest.data(), line.data() + 2);  // nothing of the line was copied
    EXPECT_EQ(lexToken(wb, lexToken(wb, rest)), u"");
    EXPECT_EQ(wb.as.token.text.size(), 100000u);
}

}  // namespace
}  // namespace comet
