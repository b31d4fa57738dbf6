// The editors' syntax colours read each line as the assembler's lexer does: a table of
// lines and the spans they give, written as kind(text).
#include <gtest/gtest.h>

#include <string>

#include "assembler/colouring.hpp"

namespace comet {
namespace {

std::string spansOf(const Text& line) {
    std::string shown;
    for (const ColouredSpan& s : colouredSpans(line)) {
        if (!shown.empty()) shown += ' ';
        shown += std::string(spanKindName(s.kind)) + '(' + toUtf8(line.substr(static_cast<size_t>(s.begin), static_cast<size_t>(s.end - s.begin))) + ')';
    }
    return shown;
}

TEST(ColouredSpans, EachTokenAsTheLexerReadsIt) {
    const struct {
        const char16_t* line;
        const char* spans;
    } cases[] = {
        {u"", ""},
        {u"   ,  ", ""},
        {u"S1  START", "label(S1) mnemonic(START)"},
        {u"    LEA   GR4,STACK", "mnemonic(LEA) register(GR4) label(STACK)"},
        {u"    ld    gr1,#00FF", "mnemonic(ld) register(gr1) number(#00FF)"},
        {u"MSG DC 'It''s',-5 /* why", "label(MSG) mnemonic(DC) string('It''s') number(-5) comment(/* why)"},
        {u"    DC 'open, to the end", "mnemonic(DC) string('open, to the end)"},
        {u"  /* only a comment", "comment(/* only a comment)"},
        {u"    DC 99999", "mnemonic(DC) number(99999)"},            // out of range, still a number
        {u"    LD GR1,,X", "mnemonic(LD) register(GR1) label(X)"},  // the empty operand has no characters
        {u"    LD GR1,X/*c", "mnemonic(LD) register(GR1) label(X/*c)"},  // no blank: part of the name
        {u"\tLD GR1", "label(\tLD) register(GR1)"},                // a tab separates nothing
        {u"    DC '\u3042\u3044',+3", "mnemonic(DC) string('\u3042\u3044') number(+3)"},
        {u"    GR0", "register(GR0)"},
    };
    for (const auto& c : cases) EXPECT_EQ(spansOf(c.line), c.spans) << toUtf8(c.line);
}

TEST(ColouredSpans, CountPositionsInUtf16UnitsAsTheEditorsDo) {
    const Text line = u"'\U0001F600' LD";  // a character outside the BMP takes two units
    const auto spans = colouredSpans(line);
    ASSERT_EQ(spans.size(), 2U);
    EXPECT_EQ(spans[0], (ColouredSpan{0, 4, SpanKind::String}));
    EXPECT_EQ(spans[1], (ColouredSpan{5, 7, SpanKind::Mnemonic}));
}

}  // namespace
}  // namespace comet
