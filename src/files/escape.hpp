// The quoted texts of session scripts and their output: control characters,
// quotes and backslashes written as escapes, everything else as UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "machine/charset.hpp"

namespace comet {

// The text with its escapes, as UTF-8: \\ \" \r \n \t \0, and \xHH for any other
// character below 0x20 and for 0x7F. It is always one line.
std::string escaped(const Text& text);

// The escaped text in double quotes.
std::string quoted(const Text& text);

// A user's text in a message, quoted as above and cut to its first kExcerptLength
// characters, followed by "... (N bytes)" when it is longer.
constexpr size_t kExcerptLength = 40;
std::string quotedExcerpt(std::string_view utf8);

// A file or case name as every message and table shows it: the bytes as they are, but
// a backslash as \\, control characters (C0, DEL and C1, so no escape sequence reaches
// a terminal) as \n, \r, \t or \xHH, and every byte of invalid UTF-8 as \xHH. It is
// always one line, and different names never look the same.
std::string shownName(std::string_view bytes);

// The text of a double-quoted argument (the quotes included in `arg`, nothing after
// them), or nothing when it is not well formed.
std::optional<Text> unquoted(std::string_view arg);

}  // namespace comet
