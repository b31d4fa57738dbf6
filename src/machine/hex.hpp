// Hexadecimal texts: the four-digit form every display shows, and the one reader of
// hexadecimal digits that the assembler's "#" numbers, the register boxes and the
// listing's addresses share.
#pragma once

#include <cstdint>

#include "machine/charset.hpp"

namespace comet {

// The four upper-case hexadecimal digits of a value's low 16 bits (`cnvHex4`). Inline:
// every refresh of a Run Mode step formats the boxes that changed.
inline Text cnvHex4(int32_t value) {
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    const auto bits = static_cast<uint32_t>(value);
    return {digits[(bits >> 12) & 0xFu], digits[(bits >> 8) & 0xFu], digits[(bits >> 4) & 0xFu], digits[bits & 0xFu]};
}

// The value of a digit 0-9, A-F or a-f, or -1 for any other character.
constexpr int hexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

// The hexadecimal digits at the start of a text, read up to the first other character.
struct HexReading {
    uint32_t low32 = 0;     // their value modulo 2^32
    bool above16 = false;   // their value exceeds FFFF
};
HexReading readHexDigits(TextView text, bool skipBlanks);  // skipBlanks: blanks, tabs and LFs are passed over

// 0..FFFF when the text is exactly four upper-case hexadecimal digits, as cnvHex4 writes them; else -1.
constexpr int32_t fourDigitValue(TextView text) {
    if (text.size() != 4) return -1;
    int32_t v = 0;
    for (const char16_t c : text) {
        if (c >= u'a' && c <= u'f') return -1;
        const int d = hexDigitValue(c);
        if (d < 0) return -1;
        v = v * 16 + d;
    }
    return v;
}

}  // namespace comet
