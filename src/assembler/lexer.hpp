// The source line lexer: every parser of the assembler reads its tokens here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "workbench/workbench.hpp"

namespace comet {

// Reads the next token of the line's remaining text S into the current token and
// the line status; returns the text after the token.
TextView lexToken(Workbench& wb, TextView s);
TextView lexToken(AsmState& as, TextView s);  // the same, for a reader with no workbench

// The comment that the line's remaining text S holds after its blanks and commas
// (from "/*" to the end of the line); empty when none.
TextView commentAt(TextView s);

// Decimal conversion: the longest leading decimal number (sign, digits, fraction,
// exponent), rounded half to even; nothing when the result is outside -32768..32767.
std::optional<int16_t> decimalValue(TextView text);

// Hexadecimal conversion of the leading hex digits (none gives 0): up to FFFF as a
// 16-bit two's-complement pattern; nothing when larger.
std::optional<int16_t> hexValue(TextView text);

// Words a string constant of n characters occupies: n / 2 + 1 rounded half to even.
// A string too long for any memory counts as 32767 words.
int16_t stringWordCount(size_t n);

}  // namespace comet
