// The C library's converter for the browser build.
//
// The WebAssembly C library has no CP932, which the core asks iconv for to find the
// machine byte of a character (and a file's text, for a file in that encoding). This
// converter answers those two conversions, UTF-16LE to CP932 and back, from tables read
// off the desktop's own C library at build time, so the page and the desktop agree on
// every character. Defining iconv_open and iconv here keeps the library's own out of
// the link; any other pair of encodings is refused as the library would refuse it.
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace {

struct Cp932Pair {
    uint16_t unicode;  // a BMP character
    uint16_t code;     // its one- or two-byte CP932 code
};

#include "cp932_table.inc"

// The converter searches both tables by halves: each must be in the order of its key.
static_assert(std::is_sorted(std::begin(kEncodeTable), std::end(kEncodeTable),
                             [](const Cp932Pair& a, const Cp932Pair& b) { return a.unicode < b.unicode; }));
static_assert(std::is_sorted(std::begin(kDecodeTable), std::end(kDecodeTable),
                             [](const Cp932Pair& a, const Cp932Pair& b) { return a.code < b.code; }));

enum class Direction { ToCp932, FromCp932 };

Direction toCp932{Direction::ToCp932};
Direction fromCp932{Direction::FromCp932};

bool sameName(const char* a, const char* b) { return strcasecmp(a, b) == 0; }

bool isLeadByte(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The pair whose `Field` is `key`, in a table sorted by that field; null when none is.
template <uint16_t Cp932Pair::*Field, size_t N>
const Cp932Pair* findPair(const Cp932Pair (&table)[N], uint16_t key) {
    const auto* it = std::lower_bound(std::begin(table), std::end(table), key,
                                      [](const Cp932Pair& p, uint16_t k) { return p.*Field < k; });
    return it != std::end(table) && (*it).*Field == key ? it : nullptr;
}

// The CP932 code of a character, or -1 where it has none.
long codeOf(uint16_t c) {
    if (c < 0x80) return c;
    const Cp932Pair* pair = findPair<&Cp932Pair::unicode>(kEncodeTable, c);
    return pair != nullptr ? pair->code : -1;
}

// The character of a CP932 code, or -1 where it is none.
long characterOf(uint16_t code) {
    if (code < 0x80) return code;
    const Cp932Pair* pair = findPair<&Cp932Pair::code>(kDecodeTable, code);
    return pair != nullptr ? pair->unicode : -1;
}

size_t fail(int error) {
    errno = error;
    return static_cast<size_t>(-1);
}

size_t encode(char** in, size_t* inLeft, char** out, size_t* outLeft) {
    while (*inLeft >= 2) {
        const auto* p = reinterpret_cast<const unsigned char*>(*in);
        const auto c = static_cast<uint16_t>(p[0] | (p[1] << 8));
        const long code = c >= 0xD800 && c <= 0xDFFF ? -1 : codeOf(c);
        if (code < 0) return fail(EILSEQ);
        const size_t n = code > 0xFF ? 2 : 1;
        if (*outLeft < n) return fail(E2BIG);
        if (n == 2) *(*out)++ = static_cast<char>(code >> 8);
        *(*out)++ = static_cast<char>(code & 0xFF);
        *outLeft -= n;
        *in += 2;
        *inLeft -= 2;
    }
    return *inLeft == 0 ? 0 : fail(EINVAL);
}

size_t decode(char** in, size_t* inLeft, char** out, size_t* outLeft) {
    while (*inLeft > 0) {
        const auto* p = reinterpret_cast<const unsigned char*>(*in);
        const bool twoBytes = isLeadByte(p[0]);
        if (twoBytes && *inLeft < 2) return fail(EINVAL);
        const long c = characterOf(static_cast<uint16_t>(twoBytes ? (p[0] << 8) | p[1] : p[0]));
        if (c < 0) return fail(EILSEQ);
        if (*outLeft < 2) return fail(E2BIG);
        *(*out)++ = static_cast<char>(c & 0xFF);
        *(*out)++ = static_cast<char>(c >> 8);
        *outLeft -= 2;
        *in += twoBytes ? 2 : 1;
        *inLeft -= twoBytes ? 2 : 1;
    }
    return 0;
}

}  // namespace

extern "C" {

iconv_t iconv_open(const char* to, const char* from) {
    if (sameName(to, "CP932") && sameName(from, "UTF-16LE")) return &toCp932;
    if (sameName(to, "UTF-16LE") && sameName(from, "CP932")) return &fromCp932;
    errno = EINVAL;
    return reinterpret_cast<iconv_t>(-1);
}

size_t iconv(iconv_t cd, char** in, size_t* inLeft, char** out, size_t* outLeft) {
    if (in == nullptr || *in == nullptr) return 0;  // a reset: these encodings keep no state
    return *static_cast<Direction*>(cd) == Direction::ToCp932 ? encode(in, inLeft, out, outLeft)
                                                             : decode(in, inLeft, out, outLeft);
}

int iconv_close(iconv_t) { return 0; }

}  // extern "C"
