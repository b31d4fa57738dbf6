#include <gtest/gtest.h>

#include "machine/charset.hpp"
#include "machine/machine.hpp"

namespace comet {
namespace {

TEST(Charset, ByteCodesOfCharacters) {
    struct Row { char16_t c; int code; };
    const Row rows[] = {{u'A', 65}, {u'\0', 0}, {0x7F, 127}, {0xFF61, 161}, {0xFF9F, 223},
                        {u'あ', 0xA0}, {u'漢', 0xBF}, {0xD800, 63}, {0x0100, 63}};
    for (const auto& r : rows) EXPECT_EQ(byteCodeOf(r.c), r.code) << static_cast<int>(r.c);
}

TEST(Charset, OutputCharacters) {
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
