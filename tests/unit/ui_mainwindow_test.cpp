#include <gtest/gtest.h>

#include "loaded.hpp"
#include "ui/headless.hpp"
#include "workbench/lists.hpp"
#include "ui/mainwindow.hpp"

namespace comet {
namespace {

TEST(FormLoad, StartsAsTheWindowDoes) {
    Loaded s;
    const Workbench& wb = s.wb;
    EXPECT_EQ(wb.text1.text, kSampleProgram);
    EXPECT_EQ(wb.text1.selStart, 0);
    EXPECT_EQ(wb.label3, u"Debug Mode");
    EXPECT_TRUE(wb.run.debugMode);
    EXPECT_EQ(wb.label6, u"Executed");
    EXPECT_EQ(wb.run.history.text(), u"");
    EXPECT_EQ(wb.run.pc, 0);
    for (const Text& box : wb.txtGR) EXPECT_EQ(box, u"0000");
    EXPECT_TRUE(wb.list1.lines.empty());
    EXPECT_EQ(dumpLineCount(wb), 0);
    EXPECT_EQ(wb.list1.selected, -1);
    EXPECT_FALSE(wb.combo1.filling);
    ASSERT_EQ(wb.combo1.items.size(), 35u);
    EXPECT_EQ(wb.combo1.selected, 0);
    EXPECT_EQ(wb.combo1.items[0], u"LD     Load");
    EXPECT_EQ(wb.combo1.items[11], u"SRA    Arithmetical Shift right");
    EXPECT_EQ(wb.combo1.items[28], u"DS     Define Strage");
    EXPECT_EQ(wb.combo1.items[34], u"GR4    Register 4");
    // Selecting item 0 while filling inserted nothing and touched no control.
    EXPECT_EQ(s.display.tabOrderCount, 0);
    EXPECT_TRUE(s.display.shown.empty());
    EXPECT_FALSE(wb.frmText.exists);
}

TEST(SampleProgram, Has243CharactersEveryLineEndedByCrLf) {
    EXPECT_EQ(kSampleProgram.size(), 243u);
    EXPECT_TRUE(kSampleProgram.ends_with(u"    END\r\n"));
    EXPECT_NE(kSampleProgram.find(u"    JMP J1 \r\n"), Text::npos);
}

TEST(ChooserItems, EachIsTheWordPaddedToSevenThenADescription) {
    for (const Text& item : kChooserItems) {
        ASSERT_GT(item.size(), 7u);
        EXPECT_EQ(item[6], u' ') << toUtf8(item);
        EXPECT_NE(item[7], u' ') << toUtf8(item);
    }
}

TEST(Combo1Click, InsertsTheWordAtTheCaretOrOverTheSelection) {
    struct Row {
        const char16_t* text;
        int32_t start, length;
        int item;
        const char16_t* expected;
        int32_t caret;
    };
    const Row rows[] = {
        {u"0123456789abcdef", 10, 0, 32, u"0123456789GR2abcdef", 13},    // register: unpadded
        {u"0123456789abcdef", 10, 0, 0, u"0123456789LD    abcdef", 16},  // padded to six
        {u"0123456789abcdef", 2, 5, 26, u"01START 789abcdef", 8},        // replaces the selection
        {u"ab", 2, 0, 19, u"abPUSH  ", 8},                                  // at the end: appended
        {u"", 0, 0, 30, u"GR0", 3},
        {u"ab", 0, 2, 25, u"EXIT  ", 6},                                    // the whole text selected
        {u"x\r\ny", 3, 0, 22, u"x\r\nRET   y", 9},                          // CR LF counts as two
    };
    for (const Row& r : rows) {
        Loaded s;
        userSetsSource(s.wb, r.text);
        ASSERT_TRUE(userSelects(s.wb, r.start, r.length));
        userChoosesItem(s.wb, r.item);
        EXPECT_EQ(s.wb.text1.text, r.expected) << r.item;
        EXPECT_EQ(s.wb.text1.selStart, r.caret) << r.item;
        EXPECT_EQ(s.wb.text1.selLength, 0) << r.item;
        EXPECT_EQ(s.wb.combo1.selected, r.item);
        EXPECT_EQ(s.display.tabOrderCount, 1);
        EXPECT_EQ(s.display.focusCount, 0);  // the focus comes back only when the chooser loses it
    }
}

TEST(Combo1Click, ChoosingTheSameItemAgainInsertsAgain) {
    Loaded s;
    userSetsSource(s.wb, u"");
    userChoosesItem(s.wb, 3);
    userChoosesItem(s.wb, 3);
    EXPECT_EQ(s.wb.text1.text, u"ADD   ADD   ");
    EXPECT_EQ(s.wb.text1.selStart, 12);
}

TEST(Combo1LostFocus, GivesTheFocusToTheEditor) {
    Loaded s;
    Combo1_LostFocus(s.wb);
    EXPECT_EQ(s.display.focusCount, 1);
}

TEST(UserSelects, KeepsTheSelectionWithinTheText) {
    struct Row { int64_t start, length; int32_t selStart, selLength; bool asGiven; };
    const Row rows[] = {
        {0, 0, 0, 0, true}, {3, 2, 3, 2, true}, {5, 0, 5, 0, true}, {0, 5, 0, 5, true},
        {4, 9, 4, 1, false}, {6, 0, 5, 0, false}, {99, 3, 5, 0, false}, {-1, 2, 0, 2, false},
    };
    for (const Row& r : rows) {
        Loaded s;
        userSetsSource(s.wb, u"ab\r\nc");
        EXPECT_EQ(userSelects(s.wb, r.start, r.length), r.asGiven) << r.start << ' ' << r.length;
        EXPECT_EQ(s.wb.text1.selStart, r.selStart) << r.start << ' ' << r.length;
        EXPECT_EQ(s.wb.text1.selLength, r.selLength) << r.start << ' ' << r.length;
    }
}

TEST(UserSetsSource, PutsTheCaretAtTheStart) {
    Loaded s;
    ASSERT_TRUE(userSelects(s.wb, 10, 4));
    userSetsSource(s.wb, u"LD GR0,A\r\n");
    EXPECT_EQ(s.wb.text1.selStart, 0);
    EXPECT_EQ(s.wb.text1.selLength, 0);
}

}  // namespace
}  // namespace comet
