#include "machine/charset.hpp"

#include <iconv.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <optional>

namespace comet {
namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr int kUnknownByte = 63;

bool isSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendUtf16(Text& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

// Decodes one UTF-8 sequence at s[i] and advances i; nothing when the sequence is invalid.
std::optional<char32_t> nextUtf8(std::string_view s, size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80) return b0;
    int extra = 0;
    char32_t c = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) { extra = 1; c = b0 & 0x1F; min = 0x80; }
    else if ((b0 & 0xF0) == 0xE0) { extra = 2; c = b0 & 0x0F; min = 0x800; }
    else if ((b0 & 0xF8) == 0xF0) { extra = 3; c = b0 & 0x07; min = 0x10000; }
    else return std::nullopt;
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || isSurrogate(c)) return std::nullopt;
    return c;
}

// The two bytes of a UTF-16 unit, in the order the file keeps them.
void appendUnit(std::string& out, char16_t unit, bool bigEndian) {
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

// Runs all of `in` through the C library's converter between the two encodings. Returns
// how many bytes of `in` it converted before one it has no conversion for (all of them
// on success), with their conversion in `out`.
size_t convert(const char* to, const char* from, std::string_view in, std::string& out) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return 0;
    out.resize(in.size() * 2 + 4);  // CP932 and UTF-16 take at most two bytes for each byte of the other
    std::string source(in);
    char* inp = source.data();
    char* outp = out.data();
    size_t inLeft = source.size();
    size_t outLeft = out.size();
    iconv(cd, &inp, &inLeft, &outp, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return source.size() - inLeft;
}

// CP932 code of one BMP character through the C library, or -1 where it has none.
int cp932Code(char16_t c) {
    const char in[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    std::string out;
    if (convert("CP932", "UTF-16LE", std::string_view(in, sizeof in), out) != sizeof in || out.empty()) return -1;
    return static_cast<unsigned char>(out.back());  // the low 8 bits of a one- or two-byte code
}

}  // namespace

int byteCodeOf(char16_t c) {
    if (c < 0x80) return c;
    if (c >= 0xFF61 && c <= 0xFF9F) return 161 + (c - 0xFF61);
    if (isSurrogate(c)) return kUnknownByte;
    // One lazily filled table shared by every thread, holding code + 1 (0: not asked
    // yet): the C library's converter is asked once per character, or once per thread
    // that meets the character first at the same time.
    static std::array<std::atomic<int16_t>, 0x10000> cache{};
    std::atomic<int16_t>& entry = cache[c];
    const int16_t known = entry.load(std::memory_order_relaxed);
    if (known != 0) return known - 1;
    const int found = cp932Code(c);
    const int code = found < 0 ? kUnknownByte : found;
    entry.store(static_cast<int16_t>(code + 1), std::memory_order_relaxed);
    return code;
}

char16_t outputCharOf(int byte) {
    if (byte >= 0 && byte < 0x80) return static_cast<char16_t>(byte);
    if (byte >= 161 && byte <= 223) return static_cast<char16_t>(0xFF61 + (byte - 161));
    return kReplacement;
}

Text fromUtf8(std::string_view utf8) {
    Text out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) appendUtf16(out, nextUtf8(utf8, i).value_or(kReplacement));
    return out;
}

bool isUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        if (!nextUtf8(bytes, i)) return false;
    }
    return true;
}

std::string toUtf8(const Text& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (isSurrogate(c)) {
            c = kReplacement;
        }
        appendUtf8(out, c);
    }
    return out;
}

Text fromAscii(std::string_view ascii) { return Text(ascii.begin(), ascii.end()); }

Text fromUtf16(std::string_view bytes, bool bigEndian) {
    Text out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        out += static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return out;
}

std::string toUtf16(TextView text, bool bigEndian) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char16_t unit : text) appendUnit(out, unit, bigEndian);
    return out;
}

std::optional<Text> fromCp932(std::string_view bytes) {
    std::string utf16;
    if (convert("UTF-16LE", "CP932", bytes, utf16) != bytes.size()) return std::nullopt;
    return fromUtf16(utf16, false);
}

std::variant<std::string, size_t> toCp932(TextView text) {
    const std::string utf16 = toUtf16(text, false);
    std::string bytes;
    const size_t converted = convert("CP932", "UTF-16LE", utf16, bytes);
    if (converted != utf16.size()) return converted / 2;
    return bytes;
}

}  // namespace comet
