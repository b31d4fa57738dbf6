// What the tooltips of the object listing and the memory dump say of each line.
#include <gtest/gtest.h>

#include "loaded.hpp"
#include "session/actions.hpp"
#include "session/readings.hpp"
#include "files/source_text.hpp"
#include "workbench/messages.hpp"
#include "workbench/values.hpp"

namespace comet {
namespace {

constexpr const char16_t* kProgram =
    u"PGM      START\r\n"
    u"         LD       GR1,A,GR2\r\n"
    u"         POP      GR3\r\n"
    u"         JMP      PGM\r\n"
    u"         RET\r\n"
    u"A        DC       0\r\n"
    u"         DC       #0700\r\n"
    u"         EXIT\r\n"
    u"         END";

struct Assembled : Loaded {
    Assembled() {
        setLanguage(Language::English);
        assembleText(wb, editorText(kProgram));
    }
};

TEST(Readings, TheListingDecodesInstructionsAndNotConstants) {
    const Assembled a;
    struct Row { int32_t address; const char16_t* expected; };
    const Row rows[] = {
        {0, u"LD GR1, 0007, GR2"}, {2, u"POP GR3"}, {4, u"JMP 0000"}, {6, u"RET"},
        {7, u""},  // DC 0: the word EXIT is, but a constant
        {8, u""},  // DC #0700: the word RET is
        {9, u"EXIT"},
        {1, u""},  // the address word of an instruction
    };
    for (const Row& r : rows) EXPECT_EQ(decodedInstruction(a.wb, r.address), r.expected) << r.address;
}

TEST(Readings, AWordARunRewroteDecodesAsTheEngineReadsIt) {
    Assembled a;
    a.wb.memory.writableCell(1).value = 0x10F5;  // LD with register field 15 and FR as index
    EXPECT_EQ(decodedInstruction(a.wb, 0), u"LD R15, 0007, FR");
}

TEST(Readings, AListingLineShowsItsSourceLineInstructionAndWord) {
    const Assembled a;
    EXPECT_EQ(listingReading(a.wb, 0), u"Line 2:          LD       GR1,A,GR2\r\nInstruction LD GR1, 0007, GR2\r\n" + wordReading(0x1012));
    EXPECT_EQ(listingReading(a.wb, 4), u"Line 6: A        DC       0\r\n" + wordReading(0));
    EXPECT_EQ(listingReading(a.wb, 99), u"");
}

TEST(Readings, ADumpLineShowsTheSameAsTheListing) {
    const Assembled a;
    EXPECT_EQ(dumpReading(a.wb, 9), u"Line 8:          EXIT\r\nInstruction EXIT\r\n" + wordReading(0));
    EXPECT_EQ(dumpReading(a.wb, 1), u"Line 2:          LD       GR1,A,GR2\r\n" + wordReading(7));
    EXPECT_EQ(dumpReading(a.wb, 10), u"");
}

TEST(Readings, InJapanese) {
    const Assembled a;
    setLanguage(Language::Japanese);
    EXPECT_EQ(dumpReading(a.wb, 6).substr(0, 26), u"5 行目:          RET\r\n命令 RET");
    setLanguage(Language::English);
}

}  // namespace
}  // namespace comet
