// What a word reads as in the register boxes' tooltips.
#include <gtest/gtest.h>

#include "workbench/messages.hpp"
#include "workbench/values.hpp"

namespace comet {
namespace {

TEST(Values, AWordReadsEveryWay) {
    setLanguage(Language::English);
    struct Row { int32_t value; const char16_t* expected; };
    const Row rows[] = {
        {0x0041, u"Hexadecimal 0041\r\nUnsigned decimal 65\r\nSigned decimal 65\r\nBinary 0000 0000 0100 0001\r\nCharacters '·A'"},
        {-1, u"Hexadecimal FFFF\r\nUnsigned decimal 65535\r\nSigned decimal -1\r\nBinary 1111 1111 1111 1111\r\nCharacters '··'"},
        {0x4142, u"Hexadecimal 4142\r\nUnsigned decimal 16706\r\nSigned decimal 16706\r\nBinary 0100 0001 0100 0010\r\nCharacters 'AB'"},
        {0xB1DF, u"Hexadecimal B1DF\r\nUnsigned decimal 45535\r\nSigned decimal -20001\r\nBinary 1011 0001 1101 1111\r\nCharacters 'ｱﾟ'"},
    };
    for (const Row& r : rows) EXPECT_EQ(wordReading(r.value), r.expected) << r.value;
}

TEST(Values, FrReadsAsTheFlagItHolds) {
    setLanguage(Language::English);
    EXPECT_EQ(flagsReading(kFRPlus), u"FR 0000: the last result was above 0");
    EXPECT_EQ(flagsReading(kFRZero), u"FR 4000: the last result was 0");
    EXPECT_EQ(flagsReading(0x8000), u"FR 8000: the last result was negative");
    EXPECT_EQ(flagsReading(0x0001), u"FR 0001: no value an instruction sets (0000, 4000 or 8000)");
    setLanguage(Language::Japanese);
    EXPECT_EQ(flagsReading(kFRZero), u"FR 4000: 直前の結果は 0");
    setLanguage(Language::English);
}

}  // namespace
}  // namespace comet
