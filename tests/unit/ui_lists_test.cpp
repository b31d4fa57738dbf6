#include <gtest/gtest.h>

#include "loaded.hpp"
#include "session/headless.hpp"
#include "workbench/lists.hpp"
#include "session/mainwindow.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

TEST(DumpLine, ShowsAddressWordAndItsTwoBytes) {
    struct Row { int32_t address, value; const char16_t* line; };
    const Row rows[] = {
        {0, 0x2110, u"0000: 2110   !."},
        {5, -1, u"0005: FFFF   .."},
        {5, 0xFFFF, u"0005: FFFF   .."},
        {5, 0x00B1, u"0005: 00B1   .\uFF71"},
        {5, -32768, u"0005: 8000   .."},
        {5, 0x10000, u"0005: 0000   .."},
        {5, 0x1A100, u"0005: A100   \uFF61."},
        {199, 0xA0A0 - 0x10000, u"00C7: A0A0     "},  // 160 shows as a blank
        // The edges of the ranges shown as characters: 32..126 and 161..223.
        {6, 0x1F7E, u"0006: 1F7E   .~"}, {6, 0x7F9F, u"0006: 7F9F   .."}, {6, 0xDFE0 - 0x10000, u"0006: DFE0   \uFF9F."},
    };
    for (const Row& r : rows) EXPECT_EQ(dumpLine(r.address, r.value), r.line) << r.value;
}

struct Listed : Loaded {
    Listed() {
        wb.list1.lines = {u"0000:  1240  0026 ", u"0002:  1200  0003 ", u"000C:  0000 ", u"000C:  0001 "};
        indexListing(wb);
    }
};

TEST(SelectPcLine, FirstExactMatchOfTheFirstFourCharacters) {
    struct Row { const char16_t* pcBox; int none, keepLast; };
    const Row rows[] = {
        {u"0000", 0, 0}, {u"0002", 1, 1}, {u"000C", 2, 2},   // the first of two lines wins
        {u"000c", -1, 3},                                    // case-sensitive
        {u"0001", -1, 3}, {u"00", -1, 3}, {u"", -1, 3},
        {u"00027", 1, 1},                                    // only four characters compared
    };
    for (const Row& r : rows) {
        Listed s;
        setBoxText(s.wb, kPcBox, r.pcBox);
        s.wb.list1.selected = 1;
        selectPcLine(s.wb, PcLineMiss::SelectNone);
        EXPECT_EQ(s.wb.list1.selected, r.none) << toUtf8(r.pcBox);
        s.wb.list1.selected = 1;
        selectPcLine(s.wb, PcLineMiss::KeepLast);
        EXPECT_EQ(s.wb.list1.selected, r.keepLast) << toUtf8(r.pcBox);
    }
}

TEST(SelectPcLine, ForgetsTheLinesOfTheLastListing) {
    Listed s;
    s.wb.list1.lines = {u"0002:  1200  0003 "};
    indexListing(s.wb);
    setBoxText(s.wb, kPcBox, u"000C");
    selectPcLine(s.wb, PcLineMiss::SelectNone);
    EXPECT_EQ(s.wb.list1.selected, -1);
}

}  // namespace
}  // namespace comet
