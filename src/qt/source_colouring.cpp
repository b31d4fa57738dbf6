#include "qt/source_colouring.hpp"

#include <array>
#include <string_view>

namespace comet {
namespace {

// One colour per span kind (label, mnemonic, register, number, string, comment), each
// at least 4.5:1 against the background it is made for, as text must be.
constexpr std::array<QRgb, 6> kOnLight{0x7A3E00, 0x0033B3, 0x6F1A8F, 0x1A6B1A, 0xA31515, 0x5C6370};
constexpr std::array<QRgb, 6> kOnDark{0xE5C07B, 0x7FB2FF, 0xD7A6FF, 0x98C379, 0xF08C7A, 0x9DA5B4};

// A background darker than mid-grey is a dark theme's.
bool isDark(const QColor& base) { return base.lightness() < 128; }

}  // namespace

SourceColouring::SourceColouring(QTextDocument* document) : QSyntaxHighlighter(document) {}

void SourceColouring::followBackground(const QColor& base) {
    if (isDark(base) == dark_) return;
    dark_ = isDark(base);
    rehighlight();
}

QTextCharFormat SourceColouring::formatOf(SpanKind kind) const {
    QTextCharFormat format;
    const auto& colours = dark_ ? kOnDark : kOnLight;
    format.setForeground(QColor::fromRgb(colours[static_cast<size_t>(kind)]));
    if (kind == SpanKind::Comment) format.setFontItalic(true);
    return format;
}

void SourceColouring::highlightBlock(const QString& text) {
    const std::u16string_view line(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
    for (const ColouredSpan& span : colouredSpans(line)) setFormat(span.begin, span.end - span.begin, formatOf(span.kind));
}

}  // namespace comet
