// The two passes as a whole: what an assembly leaves in memory, and inputs of any size
// and content.
#include <gtest/gtest.h>

#include <string>

#include "invariants.hpp"
#include "session/headless.hpp"
#include "session/mainwindow.hpp"

namespace comet {
namespace {

struct PassTest : testing::Test {
    HeadlessDisplay display;
    Workbench wb{display};

    void assemble(const Text& source) {
        userSetsSource(wb, source);
        Command1_Click(wb);
        // Whatever the input: the program fits in memory and the listing walks it in order.
        EXPECT_EQ(fuzz::checkAssembly(wb), "");
    }
    const Cell& cellOfAddress(int a) const { return wb.memory.cell(a + 1); }
};

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
    }
}

}  // namespace
}  // namespace comet
