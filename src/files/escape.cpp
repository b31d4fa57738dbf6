#include "files/escape.hpp"

#include <algorithm>

#include "workbench/messages.hpp"

namespace comet {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string hexEscape(unsigned char byte) { return {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]}; }

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
    if (c < 0x20 || c == 0x7F) return hexEscape(static_cast<unsigned char>(c));
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

// The length of the well-formed UTF-8 character at the start of s (shortest form, no
// surrogate), or 0 when there is none.
size_t utf8Length(std::string_view s) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b = byte(0);
    size_t n = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) n = 2;
    else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else return 0;
    if (s.size() < n || byte(1) < low || byte(1) > high) return 0;
    for (size_t i = 2; i < n; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return n;
}

}  // namespace

std::string shownName(std::string_view bytes) {
    std::string out;
    while (!bytes.empty()) {
        const auto b = static_cast<unsigned char>(bytes[0]);
        const size_t n = utf8Length(bytes);
        const bool c1Control = n == 2 && b == 0xC2 && static_cast<unsigned char>(bytes[1]) < 0xA0;
        if (n == 0 || c1Control) {
            for (size_t i = 0; i < std::max<size_t>(n, 1); ++i) out += hexEscape(static_cast<unsigned char>(bytes[i]));
        } else if (b == '\\') {
            out += "\\\\";
        } else if (b < 0x20 || b == 0x7F) {
            out += *escapeOf(b);
        } else {
            out += bytes.substr(0, n);
        }
        bytes.remove_prefix(std::max<size_t>(n, 1));
    }
    return out;
}

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
    return quoted(text) + "... (" + message(Msg::CliBytes, {std::to_string(utf8.size())}) + ")";
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
