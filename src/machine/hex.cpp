#include "machine/hex.hpp"

namespace comet {

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

}  // namespace comet
