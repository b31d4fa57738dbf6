// Hexadecimal texts: the four-digit form every display shows, and the one reader of
// hexadecimal digits that the assembler's "#" numbers, the register boxes and the
// listing's addresses share.
#pragma once

#include <cstdint>

#include "machine/charset.hpp"

namespace comet {

// The four upper-case hexadecimal digits of a value's low 16 bits (`cnvHex4`).
Text cnvHex4(int32_t value);

// The value of a digit 0-9, A-F or a-f, or -1 for any other character.
int hexDigitValue(char16_t c);

// The hexadecimal digits at the start of a text, read up to the first other character.
struct HexReading {
    uint32_t low32 = 0;     // their value modulo 2^32
    bool above16 = false;   // their value exceeds FFFF
};
HexReading readHexDigits(TextView text, bool skipBlanks);  // skipBlanks: blanks, tabs and LFs are passed over

// 0..FFFF when the text is exactly four upper-case hexadecimal digits, as cnvHex4 writes them; else -1.
int32_t fourDigitValue(TextView text);

}  // namespace comet
