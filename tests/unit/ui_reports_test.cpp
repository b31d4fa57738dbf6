#include <gtest/gtest.h>

#include <vector>

#include "emulator/engine.hpp"
#include "loaded.hpp"
#include "ui/headless.hpp"
#include "workbench/lists.hpp"
#include "workbench/registers.hpp"
#include "ui/mainwindow.hpp"
#include "ui/reports.hpp"

namespace comet {
namespace {

std::vector<Text> linesOf(const Text& text) {
    std::vector<Text> lines;
    size_t from = 0;
    for (size_t at; (at = text.find(u"\r\n", from)) != Text::npos; from = at + 2) lines.push_back(text.substr(from, at - from));
    lines.push_back(text.substr(from));
    return lines;
}

TEST(HelpText, Is2331CharactersIn102CrLfLines) {
    EXPECT_EQ(kHelpText.size(), 2331u);
    const auto lines = linesOf(kHelpText);
    ASSERT_EQ(lines.size(), 103u);  // 102 lines, each ended by CR LF, then nothing
    EXPECT_EQ(lines[102], u"");
    EXPECT_EQ(lines[0], u"");
    EXPECT_EQ(lines[1], u"■操作方法");
    EXPECT_EQ(lines[3], u"\u3000次の手順で操作します。");
    EXPECT_EQ(lines[33], u" \u3000コード  \t種類\t機械語\t意味");
    EXPECT_EQ(lines[34], u" " + Text(64, u'-'));
    EXPECT_EQ(lines[35], u"\u3000\u3000 LD    \tCM0\t&H10\tLoad");
    EXPECT_EQ(lines[39], u"\u3000\u3000 SUB   \tCM0\t&H22\tsub");
    EXPECT_EQ(lines[68], u"\u3000\u3000 GR4   \tREG\t&H4 \tGeneral Resister 4(Stack Pointer)");
    EXPECT_EQ(lines[72], u"\u3000\u3000 START \tPS0\t    \tAssembler Program Start");
    EXPECT_EQ(lines[88], u"    PS1:  命令\u3000ラベル\u3000（ラベルは省略可能)");
    EXPECT_EQ(lines[101], u" *Next Equ  *");
}

TEST(HelpText, TableRowsAreTwoIdeographicSpacesABlankAndFourTabbedFields) {
    const auto lines = linesOf(kHelpText);
    int rows = 0;
    for (int i : {35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58,
                  59, 60, 64, 65, 66, 67, 68, 72, 73, 74, 75}) {
        const Text& line = lines[static_cast<size_t>(i)];
        EXPECT_TRUE(line.starts_with(u"\u3000\u3000 ")) << i;
        EXPECT_EQ(std::count(line.begin(), line.end(), u'\t'), 3) << i;
        EXPECT_EQ(line.find(u'\t'), 9u) << i;  // the mnemonic padded to six columns
        ++rows;
    }
    EXPECT_EQ(rows, 35);
}

TEST(Reports, HelpIsTheSameOnEveryPress) {
    Loaded s;
    Command3_Click(s.wb);
    EXPECT_EQ(s.wb.frmText.caption, u"操作説明");
    EXPECT_EQ(s.wb.frmText.text, kHelpText);
    Command3_Click(s.wb);
    EXPECT_EQ(s.wb.frmText.text, kHelpText);
    EXPECT_EQ(s.display.viewerShowCount, 2);
}

TEST(Reports, OneViewerShowsTheLastReport) {
    Loaded s;
    EXPECT_FALSE(s.wb.frmText.exists);
    Command2_Click(s.wb);  // EXIT at 0000: one step in the history
    Command3_Click(s.wb);
    Command4_Click(s.wb);
    Command5_Click(s.wb);
    EXPECT_TRUE(s.wb.frmText.exists);
    EXPECT_EQ(s.wb.frmText.caption, u"実行履歴");
    EXPECT_EQ(s.wb.frmText.text, s.wb.run.history.text());
    EXPECT_FALSE(s.wb.frmText.text.empty());
    EXPECT_EQ(s.display.viewerShowCount, 3);
}

TEST(Reports, ObjectProgramOfAnEmptyListingIsItsHeader) {
    Loaded s;
    Command4_Click(s.wb);
    EXPECT_EQ(s.wb.frmText.caption, u"オブジェクト");
    EXPECT_EQ(s.wb.frmText.text, u"Addr:  Value\r\n------------------");
    EXPECT_EQ(s.wb.list1.selected, -1);
}

TEST(Reports, ObjectProgramListsEveryLineAndRestoresThePcLine) {
    struct Row { const char16_t* pcBox; int selected; };
    // A match keeps its line; no match leaves the last line selected.
    const Row rows[] = {{u"0002", 1}, {u"0000", 0}, {u"000C", 2}, {u"0003", 2}, {u"00a2", 2}, {u"", 2}};
    for (const Row& r : rows) {
        Loaded s;
        s.wb.list1.lines = {u"0000:  1240  0026 ", u"0002:  1200  0003 ", u"000C:  0000 "};
        indexListing(s.wb);
        setBoxText(s.wb, kPcBox, r.pcBox);
        Command4_Click(s.wb);
        EXPECT_EQ(s.wb.frmText.text,
                  u"Addr:  Value\r\n------------------\r\n0000:  1240  0026 \r\n0002:  1200  0003 \r\n000C:  0000 ");
        EXPECT_EQ(s.wb.list1.selected, r.selected) << toUtf8(r.pcBox);
    }
}

TEST(Reports, ViewerKeepsItsSnapshot) {
    Loaded s;
    Command2_Click(s.wb);
    Command5_Click(s.wb);
    const Text shown = s.wb.frmText.text;
    Command2_Click(s.wb);
    EXPECT_EQ(s.wb.frmText.text, shown);
    EXPECT_NE(s.wb.run.history.text(), shown);
}

TEST(FormResize, FitsTheBoxOnlyWhenBothSidesAreAtLeast500) {
    struct Row { int width, height; int boxWidth, boxHeight; };
    const Row rows[] = {
        {1000, 800, kViewerDesignWidth, kViewerDesignHeight},   // h = 200
        {1000, 1200, 750, 600},
        {700, 2000, kViewerDesignWidth, kViewerDesignHeight},   // w = 450
        {750, 1100, 500, 500},                                  // both exactly 500
        {749, 1100, kViewerDesignWidth, kViewerDesignHeight},
        {9000, 6000, 8750, 5400},
    };
    for (const Row& r : rows) {
        Loaded s;
        Command3_Click(s.wb);
        Form_Resize(s.wb, r.width, r.height);
        EXPECT_EQ(s.wb.frmText.boxWidth, r.boxWidth) << r.width << 'x' << r.height;
        EXPECT_EQ(s.wb.frmText.boxHeight, r.boxHeight) << r.width << 'x' << r.height;
    }
}

TEST(FormResize, TooSmallKeepsTheLastFittedSize) {
    Loaded s;
    Command3_Click(s.wb);
    Form_Resize(s.wb, 1000, 1200);
    Form_Resize(s.wb, 1000, 800);
    EXPECT_EQ(s.wb.frmText.boxWidth, 750);
    EXPECT_EQ(s.wb.frmText.boxHeight, 600);
}

TEST(Viewer, ClosedViewerComesBackFreshOnTheNextReport) {
    Loaded s;
    Command3_Click(s.wb);
    Form_Resize(s.wb, 1000, 1200);
    viewerClosed(s.wb);
    EXPECT_FALSE(s.wb.frmText.exists);
    Command5_Click(s.wb);
    EXPECT_TRUE(s.wb.frmText.exists);
    EXPECT_EQ(s.wb.frmText.caption, u"実行履歴");
    EXPECT_EQ(s.wb.frmText.text, u"");
    EXPECT_EQ(s.wb.frmText.boxWidth, kViewerDesignWidth);
    EXPECT_EQ(s.wb.frmText.boxHeight, kViewerDesignHeight);
}

}  // namespace
}  // namespace comet
