// What the editors colour in a source line: the tokens the assembler's own lexer reads
// there, each named by what the assembler takes it for, and the comment.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "machine/charset.hpp"

namespace comet {

enum class SpanKind { Label, Mnemonic, Register, Number, String, Comment };

// Characters [begin, end) of the line (UTF-16 code units, as the editors count them).
struct ColouredSpan {
    int32_t begin = 0, end = 0;
    SpanKind kind = SpanKind::Label;
    bool operator==(const ColouredSpan&) const = default;
};

// The spans of one line, left to right. A name that is no reserved word is a label,
// where it is defined and where it is used; a number the assembler rejects is still a
// number, and an open string runs to the end of the line, as the lexer reads them.
std::vector<ColouredSpan> colouredSpans(TextView line);

std::string_view spanKindName(SpanKind kind);  // "label", "mnemonic", ... for styles and tests

}  // namespace comet
