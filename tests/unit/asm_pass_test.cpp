// The two passes as a whole: the memory limit, what an assembly leaves in memory,
// inputs of any size and content, and the sample program running from its own assembly.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "assembler/passes.hpp"
#include "emulator/engine.hpp"
#include "ui/headless.hpp"
#include "ui/mainwindow.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

struct PassTest : testing::Test {
    HeadlessDisplay display;
    Workbench wb{display};
    PassTest() = default;

    void assemble(const Text& source) {
        wb.text1.text = source;
        display.shown.clear();
        SynANA(wb);
        semANA(wb);
    }
    const Cell& cellOfAddress(int a) const { return wb.memory.cell(a + 1); }
    std::vector<Text> messages() const {
        std::vector<Text> texts;
        for (const auto& b : display.shown) texts.push_back(b.text);
        return texts;
    }

    // What must hold after any assembly: the program fits, and the listing walks it in order.
    void expectSoundListing() {
        ASSERT_GE(wb.locationCounter, 0);
        ASSERT_LE(wb.locationCounter, kAddressCount);
        int32_t last = -1;
        for (const Text& line : wb.list1.lines) {
            ASSERT_GE(line.size(), 7u);
            const int32_t address = std::stoi(toUtf8(line.substr(0, 4)), nullptr, 16);
            EXPECT_GT(address, last);
            EXPECT_LT(address, wb.locationCounter);
            EXPECT_EQ(line.back(), u' ');
            last = address;
        }
    }
};

TEST_F(PassTest, StatementThatDoesNotFitWritesNoneOfItsWords) {
    struct Row { std::u16string_view source; int32_t counter; };
    const Row rows[] = {
        {u"    DS 197\r\n    OUT A,B\r\n    DC 5\r\n", 197},
        {u"    DS 199\r\n    LD GR1,0\r\n", 199},
        {u"    DS 199\r\n    DC 'AB'\r\n", 199},
        {u"    DS 150\r\n    DS 51\r\n    DS 50\r\n", 150},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(toUtf8(Text(r.source)));
        for (int c = 0; c < kCellCount; ++c) wb.memory.writableCell(c) = {77, 1234};
        assemble(Text(r.source));
        EXPECT_EQ(wb.locationCounter, r.counter);
        EXPECT_EQ(messages(), std::vector<Text>{u"**** Memory Over ****"});
        EXPECT_EQ(wb.memory.cell(0).value, 1234);
        for (int a = r.counter; a < kAddressCount; ++a) {
            EXPECT_EQ(cellOfAddress(a).tag, 77) << a;
            EXPECT_EQ(cellOfAddress(a).value, 1234) << a;
        }
    }
}

TEST_F(PassTest, AssemblyLeavesTheRestOfMemoryAndRebuildsTheListing) {
    assemble(u"    DC 1\r\n    DC 2\r\n    DC 3\r\n");
    assemble(u"    DC 9\r\n");
    EXPECT_EQ(wb.locationCounter, 1);
    EXPECT_EQ(cellOfAddress(0).value, 9);
    EXPECT_EQ(cellOfAddress(1).value, 2);
    EXPECT_EQ(cellOfAddress(2).value, 3);
    EXPECT_EQ(wb.list1.lines, std::vector<Text>{u"0000:  0009 "});
}

TEST_F(PassTest, BlockKeepsTheTagsOfItsOtherCells) {
    assemble(u"    DC 1\r\n    DC 2\r\n    DC 3\r\n");
    assemble(u"    DC 'ABCD'\r\n");
    EXPECT_EQ(cellOfAddress(0).tag, 3);
    EXPECT_EQ(cellOfAddress(1).tag, -3);
    EXPECT_EQ(cellOfAddress(2).tag, -3);
    EXPECT_EQ(wb.list1.lines, std::vector<Text>{u"0000:  4142 4344 0000 "});
}

// Sources far beyond any real program, and every kind of character: each assembly ends,
// keeps the program inside memory and lists it in order.
TEST_F(PassTest, AnyInputAssemblesSoundly) {
    const size_t n = 100000;
    const Text longName(n, u'A');
    const std::vector<Text> sources = {
        longName,
        u"    DC " + longName,
        u"    DC '" + longName + u"'",
        u"    DC '" + Text(n, u'\'') + u"'",
        u"    DC " + Text(n, u'9'),
        u"    DC #" + Text(n, u'F'),
        u"    LD GR1," + Text(n, u','),
        Text(n, u','),
        Text(n, u' ') + u"DC 1",
        Text(n, u'\0'),
        Text(n, u'\r'),
        Text(n, u'\n'),
        Text(n, u'\t'),
        Text(n, u'あ'),
        Text(n / 2, u'\r') + Text(n / 2, u'\n'),
    };
    for (const Text& s : sources) {
        SCOPED_TRACE(toUtf8(s.substr(0, 20)));
        assemble(s);
        expectSoundListing();
    }
}

// A megabyte that the pass reads to its end: random tokens, quotes, separators, control
// characters and Japanese after heads that generate no word, and now and then a random
// statement (so the program grows, but stays far below the memory limit).
TEST_F(PassTest, MegabyteOfRandomLinesAssemblesSoundly) {
    const std::u16string_view junk[] = {
        u"LD", u"DC", u"DS", u"OUT", u"POP", u"START", u"RET", u"GR1", u"gr4", u"X", u"Y1", u"ラベル", u" ",
        u",", u",,", u"'", u"''", u"#", u"+", u"-", u"1", u"9", u".", u"E", u"/*", u"\t", u"\0", u"\r", u"X\n",
        u"ｱ", u"漢",
    };
    const std::u16string_view heads[] = {u"/*", u"    END ", u"L1 END ", u"L2 /*", u"9 ", u"    DS 0 ", u"'x' ", u" , ,/*"};
    std::mt19937 random(20240601);
    std::uniform_int_distribution<size_t> pickJunk(0, std::size(junk) - 1);
    std::uniform_int_distribution<size_t> pickHead(0, std::size(heads) - 1);
    std::uniform_int_distribution<int> length(0, 30);
    std::uniform_int_distribution<int> rare(0, 4999);
    Text source;
    while (source.size() < 1'000'000) {
        if (rare(random) != 0) source += heads[pickHead(random)];
        for (int k = length(random); k > 0; --k) source += junk[pickJunk(random)];
        source += u"\r\n";
    }
    assemble(source);
    expectSoundListing();
    for (const auto& b : display.shown) ASSERT_NE(b.text, u"**** Memory Over ****");  // read to the end
    EXPECT_GT(wb.locationCounter, 0);
    assemble(source);  // and again over what the first assembly left
    expectSoundListing();
}

TEST_F(PassTest, SampleProgramRunsFromItsOwnAssembly) {
    assemble(kSampleProgram);
    ASSERT_TRUE(display.shown.empty());
    ASSERT_EQ(wb.locationCounter, 38);
    Label3_Click(wb);  // Debug Mode, as at start-up
    Label3_Click(wb);  // Run Mode
    Command2_Click(wb);
    ASSERT_EQ(display.shown.size(), 2u);
    for (const auto& box : display.shown) EXPECT_EQ(box.text, Text(u"Hellow COMET") + u'\0');
    EXPECT_TRUE(wb.run.halted);
    std::ifstream in(COMET_TEST_DIR "/engine/sample_road.history", std::ios::binary);
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(toUtf8(wb.run.history.text()), expected.str());
}

}  // namespace
}  // namespace comet
