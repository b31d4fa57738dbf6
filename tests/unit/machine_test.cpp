#include <gtest/gtest.h>

#include "machine/charset.hpp"
#include "machine/machine.hpp"

namespace comet {
namespace {

TEST(WordByte, GivesBitsOfThe16BitPattern) {
    struct Row { int32_t value; int upper; int lower; };
    const Row rows[] = {
        {0x4869, 0x48, 0x69}, {0, 0, 0}, {-1, 0xFF, 0xFF}, {-32768, 0x80, 0x00}, {65535, 0xFF, 0xFF},
        {0x8000, 0x80, 0x00}, {0x10000, 0x80, 0x00}, {0x1A100, 0xA1, 0x00}, {32767, 0x7F, 0xFF},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(wordByte(r.value, 1), r.upper) << r.value;
        EXPECT_EQ(wordByte(r.value, 0), r.lower) << r.value;
    }
}

TEST(Packing, TwoCharactersToAWordFirstInUpperByte) {
    EXPECT_EQ(packBytes('H', 'i'), 0x4869);
    EXPECT_EQ(packBytes('A', 0), 0x4100);
    EXPECT_EQ(packBytes(0xB1, 0xB2), static_cast<int32_t>(0xB1B2) - 0x10000);
}

TEST(InstructionFields, DecodeFirstWords) {
    struct Row { int32_t word; int opcode; int reg; int index; };
    const Row rows[] = {{0x1240, op::LEA, 4, 0}, {0x2113, op::ADD, 1, 3}, {0x0930, op::POP, 3, 0},
                        {0x0701, op::RET, 0, 1}, {0x1050, op::LD, 5, 0}};
    for (const auto& r : rows) {
        EXPECT_EQ(opcodeField(r.word), r.opcode);
        EXPECT_EQ(registerField(r.word), r.reg);
        EXPECT_EQ(indexField(r.word), r.index);
    }
}

TEST(InstructionTable, KnowsMachineOpcodesOnly) {
    EXPECT_EQ(operationOf(0x12)->name, "LEA");
    EXPECT_EQ(operationOf(0x00)->name, "EXIT");
    EXPECT_EQ(operationOf(0x0B)->cls, OpClass::MC0);
    EXPECT_FALSE(operationOf(0x13).has_value());
    EXPECT_FALSE(operationOf(0xFF).has_value());
}

TEST(Charset, ByteCodesOfCharacters) {
    struct Row { char16_t c; int code; };
    const Row rows[] = {{u'A', 65}, {u'\0', 0}, {0x7F, 127}, {0xFF61, 161}, {0xFF9F, 223},
                        {u'あ', 0xA0}, {u'漢', 0xBF}, {0xD800, 63}, {0x0100, 63}};
    for (const auto& r : rows) EXPECT_EQ(byteCodeOf(r.c), r.code) << static_cast<int>(r.c);
}

TEST(Charset, OutputCharacters) {
    EXPECT_EQ(outputCharOf(65), u'A');
    EXPECT_EQ(outputCharOf(0), u'\0');
    EXPECT_EQ(outputCharOf(161), 0xFF61);
    EXPECT_EQ(outputCharOf(223), 0xFF9F);
    for (int b : {128, 160, 224, 255}) EXPECT_EQ(outputCharOf(b), 0xFFFD) << b;
}

TEST(Charset, Utf8RoundTripAndRepair) {
    const Text t = u"COMET 標準出力 \U0001F600";
    EXPECT_EQ(fromUtf8(toUtf8(t)), t);
    EXPECT_EQ(fromUtf8("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(fromUtf8("\xE3\x81"), u"\uFFFD");
    EXPECT_EQ(toUtf8(Text(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace comet
