#include "machine/hex.hpp"

namespace comet {

Text cnvHex4(int32_t value) {
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    const auto bits = static_cast<uint32_t>(value);
    Text out(4, u'0');
    for (int i = 0; i < 4; ++i) out[static_cast<size_t>(3 - i)] = digits[(bits >> (4 * i)) & 0xFu];
    return out;
}

int hexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

HexReading readHexDigits(TextView text, bool skipBlanks) {
    HexReading r;
    for (const char16_t c : text) {
        if (skipBlanks && (c == u' ' || c == u'\t' || c == u'\n')) continue;
        const int d = hexDigitValue(c);
        if (d < 0) break;
        r.low32 = r.low32 * 16u + static_cast<uint32_t>(d);
        // Appending a digit never makes a value smaller: once above FFFF it stays there,
        // whatever the wrap-around of the low 32 bits does later.
        r.above16 = r.above16 || r.low32 > 0xFFFFu;
    }
    return r;
}

int32_t fourDigitValue(TextView text) {
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
