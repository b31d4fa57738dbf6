#include "files/escape.hpp"

namespace comet {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// The escape of a character, or nothing when it stands for itself.
std::optional<std::string> escapeOf(char16_t c) {
    switch (c) {
        case u'\\': return "\\\\";
        case u'"': return "\\\"";
        case u'\r': return "\\r";
        case u'\n': return "\\n";
        case u'\t': return "\\t";
        case u'\0': return "\\0";
        default: break;
    }
    if (c < 0x20 || c == 0x7F) return std::string{'\\', 'x', kHexDigits[c >> 4], kHexDigits[c & 0xF]};
    return std::nullopt;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The character an escape stands for, its letters starting at s[0]; `used` gets their count.
std::optional<char16_t> unescapeAt(std::string_view s, size_t& used) {
    if (s.empty()) return std::nullopt;
    used = 1;
    switch (s[0]) {
        case '\\': return u'\\';
        case '"': return u'"';
        case 'r': return u'\r';
        case 'n': return u'\n';
        case 't': return u'\t';
        case '0': return u'\0';
        case 'x': break;
        default: return std::nullopt;
    }
    if (s.size() < 3 || hexValue(s[1]) < 0 || hexValue(s[2]) < 0) return std::nullopt;
    used = 3;
    return static_cast<char16_t>(hexValue(s[1]) * 16 + hexValue(s[2]));
}

}  // namespace

std::string escaped(const Text& text) {
    std::string out;
    Text plain;  // a run of characters that stand for themselves, converted to UTF-8 at once
    for (char16_t c : text) {
        const auto esc = escapeOf(c);
        if (!esc) {
            plain += c;
            continue;
        }
        out += toUtf8(plain);
        plain.clear();
        out += *esc;
    }
    out += toUtf8(plain);
    return out;
}

std::string quoted(const Text& text) { return '"' + escaped(text) + '"'; }

std::string quotedExcerpt(std::string_view utf8) {
    const size_t enough = 4 * (kExcerptLength + 1);  // bytes for more than kExcerptLength characters
    Text text = fromUtf8(utf8.substr(0, enough));
    if (text.size() <= kExcerptLength) return quoted(text);  // then all of utf8 is in it
    size_t cut = kExcerptLength;
    if (text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;  // not between the halves of a character
    text.resize(cut);
    return quoted(text) + "... (" + std::to_string(utf8.size()) + " bytes)";
}

std::optional<Text> unquoted(std::string_view arg) {
    if (arg.size() < 2 || arg.front() != '"' || arg.back() != '"') return std::nullopt;
    const std::string_view body = arg.substr(1, arg.size() - 2);
    Text out;
    size_t plainStart = 0;
    for (size_t i = 0; i < body.size();) {
        if (body[i] == '"') return std::nullopt;
        if (body[i] != '\\') {
            ++i;
            continue;
        }
        out += fromUtf8(body.substr(plainStart, i - plainStart));
        size_t used = 0;
        const auto c = unescapeAt(body.substr(i + 1), used);
        if (!c) return std::nullopt;
        out += *c;
        i += 1 + used;
        plainStart = i;
    }
    out += fromUtf8(body.substr(plainStart));
    return out;
}

}  // namespace comet
