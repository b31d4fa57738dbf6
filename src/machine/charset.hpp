// Texts and the single-byte character code of the machine.
//
// Every text of the workbench is UTF-16, as the window's text widgets hold it,
// so lengths and offsets count UTF-16 code units. A character in memory is one
// byte of the Japanese single-byte code page: ASCII, plus the half-width
// katakana at 161..223.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace comet {

using Text = std::u16string;
using TextView = std::u16string_view;  // a view into a text, so that parsers never copy the rest of a line

// ---- Character <-> byte ---------------------------------------------------

// The byte code of a character: ASCII as is, half-width katakana U+FF61..U+FF9F as
// 161..223, any other character the low 8 bits of its CP932 code, or 63 ("?")
// where CP932 has none (a lone surrogate included).
int byteCodeOf(char16_t c);

// The character standard output shows for a byte: ASCII as is, 161..223 as
// half-width katakana, any other byte as U+FFFD.
char16_t outputCharOf(int byte);

// ---- Encodings ------------------------------------------------------------

Text fromUtf8(std::string_view utf8);  // invalid sequences become U+FFFD
std::string toUtf8(const Text& text);  // lone surrogates become U+FFFD
Text fromAscii(std::string_view ascii);
bool isUtf8(std::string_view bytes);  // well formed: no overlong form, surrogate or code above U+10FFFF

// UTF-16 in either byte order; a last odd byte is dropped.
Text fromUtf16(std::string_view bytes, bool bigEndian);
std::string toUtf16(TextView text, bool bigEndian);

// CP932, the Windows form of Shift_JIS, through the C library's converter.
std::optional<Text> fromCp932(std::string_view bytes);  // nothing when the bytes are not CP932
// The CP932 bytes of a text, or the offset of the first character CP932 has no code for.
std::variant<std::string, size_t> toCp932(TextView text);

}  // namespace comet
