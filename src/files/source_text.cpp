#include "files/source_text.hpp"

#include <optional>

namespace comet {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr char16_t kBom = 0xFEFF;

// The first line end of a text, or nothing when it has none.
std::optional<LineEnd> firstLineEnd(TextView text) {
    const size_t at = text.find_first_of(u"\r\n");
    if (at == TextView::npos) return std::nullopt;
    if (text[at] == u'\n') return LineEnd::Lf;
    return at + 1 < text.size() && text[at + 1] == u'\n' ? LineEnd::CrLf : LineEnd::Cr;
}

std::string_view lineEndBytes(LineEnd end) {
    switch (end) {
        case LineEnd::CrLf: return "\r\n";
        case LineEnd::Lf: return "\n";
        case LineEnd::Cr: return "\r";
    }
    return "\r\n";
}

// The text with each of its line ends (CR LF, a lone CR, a lone LF) replaced by `end`.
// Bytes work as well as characters: in UTF-8 and CP932, CR and LF bytes are always line ends.
template <class Char>
std::basic_string<Char> withLineEnds(std::basic_string_view<Char> text, std::basic_string_view<Char> end) {
    std::basic_string<Char> out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        const Char c = text[i];
        if (c != Char('\r') && c != Char('\n')) {
            out += c;
            continue;
        }
        out += end;
        if (c == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n')) ++i;
    }
    return out;
}

bool isUtf16(std::string_view bytes) { return bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom); }

bool hasNulBytes(std::string_view bytes) {
    return bytes.substr(0, kTextProbeBytes).find('\0') != std::string_view::npos;
}

// The text of bytes without a byte-order mark, and their encoding.
std::optional<std::pair<Text, Encoding>> textOf(std::string_view bytes) {
    if (isUtf16(bytes)) {
        if (bytes.size() % 2 != 0) return std::nullopt;
        const bool bigEndian = bytes.starts_with(kUtf16BeBom);
        return std::pair{fromUtf16(bytes.substr(2), bigEndian), bigEndian ? Encoding::Utf16Be : Encoding::Utf16Le};
    }
    const bool bom = bytes.starts_with(kUtf8Bom);
    if (bom) bytes.remove_prefix(kUtf8Bom.size());
    if (isUtf8(bytes)) return std::pair{fromUtf8(bytes), bom ? Encoding::Utf8WithBom : Encoding::Utf8};
    if (bom) return std::nullopt;  // a UTF-8 mark on bytes that are not UTF-8
    auto text = fromCp932(bytes);
    if (!text) return std::nullopt;
    return std::pair{std::move(*text), Encoding::Cp932};
}

}  // namespace

std::string_view encodingName(Encoding encoding) {
    switch (encoding) {
        case Encoding::Utf8: return "UTF-8";
        case Encoding::Utf8WithBom: return "UTF-8 with BOM";
        case Encoding::Utf16Le: return "UTF-16 LE";
        case Encoding::Utf16Be: return "UTF-16 BE";
        case Encoding::Cp932: return "Shift_JIS (CP932)";
    }
    return "UTF-8";
}

Text editorText(TextView text) { return withLineEnds<char16_t>(text, u"\r\n"); }

std::variant<DecodedSource, NotText> decodeSource(std::string_view bytes) {
    if (!isUtf16(bytes) && hasNulBytes(bytes)) return NotText::NulBytes;
    auto decoded = textOf(bytes);
    if (!decoded) return NotText::UnknownEncoding;
    auto& [text, encoding] = *decoded;
    const FileFormat format{encoding, firstLineEnd(text).value_or(FileFormat{}.lineEnd)};
    return DecodedSource{editorText(text), format};
}

std::variant<std::string, size_t> encodeSource(TextView text, FileFormat format) {
    const std::string_view end = lineEndBytes(format.lineEnd);
    if (format.encoding == Encoding::Cp932) {
        auto bytes = toCp932(text);  // first, so that the offset of a character without a code is the editor's
        if (const size_t* at = std::get_if<size_t>(&bytes)) return *at;
        return withLineEnds<char>(std::get<std::string>(bytes), end);
    }
    const Text fileText = withLineEnds<char16_t>(text, fromAscii(end));
    switch (format.encoding) {
        case Encoding::Utf8WithBom: return std::string(kUtf8Bom) + toUtf8(fileText);
        case Encoding::Utf16Le: return toUtf16(Text(1, kBom) + fileText, false);
        case Encoding::Utf16Be: return toUtf16(Text(1, kBom) + fileText, true);
        default: return toUtf8(fileText);
    }
}

}  // namespace comet
