// How the assembler compares names: without regard to the case of ASCII letters. Inline,
// for the table, the explanations and the editors' language features alike.
#pragma once

#include <algorithm>

#include "machine/charset.hpp"

namespace comet {

inline char16_t asciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

// Names are the same name when they differ at most in the case of ASCII letters.
inline bool sameName(TextView a, TextView b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return asciiUpper(x) == asciiUpper(y); });
}

}  // namespace comet
