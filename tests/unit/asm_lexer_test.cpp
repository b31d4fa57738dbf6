// What the golden assembler files cannot show: word counts of strings too long for
// memory, and decimal conversion exact on numbers of any length.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "assembler/lexer.hpp"

namespace comet {
namespace {

TEST(StringWordCount, RoundsHalfToEven) {
    const int16_t words[] = {1, 2, 2, 2, 3, 4, 4, 4, 5, 6, 6, 6, 7};  // n = 0..12
    for (size_t n = 0; n < std::size(words); ++n) EXPECT_EQ(stringWordCount(n), words[n]) << n;
    EXPECT_EQ(stringWordCount(199), 100);
    EXPECT_EQ(stringWordCount(65534), 32767);
    EXPECT_EQ(stringWordCount(100000), 32767);  // any string too long for memory
}

TEST(DecimalValue, ExactOnNumbersOfAnyLength) {
    const Text zeros(100000, u'0');
    EXPECT_EQ(decimalValue(zeros + u"12"), 12);
    EXPECT_EQ(decimalValue(u"2.5" + zeros + u"1"), 3);  // just above half: a double would say 2.5
    EXPECT_EQ(decimalValue(u"2.5" + zeros), 2);
    EXPECT_EQ(decimalValue(u"0." + zeros + u"9"), 0);
    EXPECT_EQ(decimalValue(u"1" + zeros), std::nullopt);
    EXPECT_EQ(decimalValue(u"1" + zeros + u"e-100000"), 1);
}

}  // namespace
}  // namespace comet
