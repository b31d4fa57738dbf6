// The editor's text: the logic's CR LF against the widget's one break per line.
#include <gtest/gtest.h>

#include <vector>

#include "workbench/editor_text.hpp"

namespace comet {
namespace {

TEST(EditorText, OffsetsMapBothWays) {
    struct Row { const char16_t* logic; int32_t offset, pos, back; };  // back: the logic offset of pos
    const Text crlf = u"ab\r\ncd\r\n";
    const Row rows[] = {
        {crlf.c_str(), 0, 0, 0},   {crlf.c_str(), 2, 2, 2},  // before CR LF
        {crlf.c_str(), 3, 2, 2},   // between CR and LF: before the break
        {crlf.c_str(), 4, 3, 4},   {crlf.c_str(), 8, 6, 8},   {crlf.c_str(), 99, 6, 8},  // past the end
        {crlf.c_str(), -5, 0, 0},  {u"a\nb", 2, 2, 2},       {u"a\rb", 3, 3, 3},
        {u"a\r\r\nb", 4, 3, 4},    {u"\U0001F600\r\nx", 4, 3, 4},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(widgetPosOf(r.logic, r.offset), r.pos) << r.offset;
        EXPECT_EQ(logicOffsetOf(r.logic, r.pos), r.back) << r.pos;
    }
}

TEST(EditorText, EveryBreakIsOneWidgetBreakAndComesBackAsCrLf) {
    const Text logic = u"A\r\nB\rC\nD\r\n";
    EXPECT_EQ(widgetTextOf(logic), Text(u"A\u2029B\u2029C\u2029D\u2029"));
    EXPECT_EQ(logicTextOf(widgetTextOf(logic)), Text(u"A\r\nB\r\nC\r\nD\r\n"));
}

TEST(EditorText, LinesStartAfterEveryKindOfBreak) {
    EXPECT_EQ(lineStarts(u""), (std::vector<int32_t>{0}));
    EXPECT_EQ(lineStarts(u"A\r\nB\rC\nD\r\n"), (std::vector<int32_t>{0, 3, 5, 7, 10}));
    EXPECT_EQ(lineStarts(u"\r\r\n\n"), (std::vector<int32_t>{0, 1, 3, 4}));
}

}  // namespace
}  // namespace comet
