#include "assembler/colouring.hpp"

#include <array>

#include "assembler/lexer.hpp"
#include "assembler/table.hpp"

namespace comet {
namespace {

SpanKind nameKind(TextView name) {
    const OpClass cls = reservedClass(name);
    if (cls == OpClass::REG) return SpanKind::Register;
    return cls == OpClass::None ? SpanKind::Label : SpanKind::Mnemonic;
}

SpanKind tokenKind(const Token& token, TextView text) {
    if (token.kind == kTokString) return SpanKind::String;
    if (token.kind == kTokName) return nameKind(text);
    return SpanKind::Number;
}

int32_t offsetIn(TextView line, TextView part) { return static_cast<int32_t>(part.data() - line.data()); }

}  // namespace

std::vector<ColouredSpan> colouredSpans(TextView line) {
    std::vector<ColouredSpan> spans;
    AsmState as;
    TextView s = line;
    for (;;) {
        const TextView rest = lexToken(as, s);
        if (as.lineStatus == kStatusNoToken) break;
        const TextView text = as.tokenText;
        // The empty operand between two commas reads as 0 but has no characters of its own.
        if (!(as.token.kind == kTokNumber && text == u",")) {
            const int32_t begin = offsetIn(line, text);
            spans.push_back({begin, begin + static_cast<int32_t>(text.size()), tokenKind(as.token, text)});
        }
        s = rest;
    }
    if (const TextView comment = commentAt(s); !comment.empty()) {
        spans.push_back({offsetIn(line, comment), static_cast<int32_t>(line.size()), SpanKind::Comment});
    }
    return spans;
}

std::string_view spanKindName(SpanKind kind) {
    static constexpr std::array<std::string_view, 6> kNames{"label", "mnemonic", "register", "number", "string", "comment"};
    return kNames[static_cast<size_t>(kind)];
}

}  // namespace comet
