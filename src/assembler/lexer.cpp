#include "assembler/lexer.hpp"

#include <algorithm>
#include <limits>
#include <utility>

#include "assembler/remarks.hpp"
#include "assembler/source_ranges.hpp"
#include "machine/hex.hpp"

namespace comet {
namespace {

bool isSeparator(char16_t c) { return c == u' ' || c == u','; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

size_t digitRunEnd(TextView t, size_t i) {
    while (i < t.size() && isDigit(t[i])) ++i;
    return i;
}

// ---- Decimal numbers --------------------------------------------------------

// The digits of a decimal number with its point moved by the exponent: the value is
// 0.d1d2d3... times 10^point, read without building the number, so that a number of
// any length converts exactly and in one pass.
struct DecimalDigits {
    TextView whole;    // digits before the decimal point
    TextView fraction; // digits after it
    int64_t point = 0; // how many of the digits stand before the point once the exponent is applied

    size_t size() const { return whole.size() + fraction.size(); }
    int digit(int64_t k) const {
        if (k < 0 || k >= static_cast<int64_t>(size())) return 0;
        const auto i = static_cast<size_t>(k);
        return (i < whole.size() ? whole[i] : fraction[i - whole.size()]) - u'0';
    }
};

// The exponent after a mantissa ("E5", "e-3"); 0 when none follows. A huge exponent
// saturates: it already moves every digit of any source line out of range.
int64_t exponentAt(TextView t, size_t i) {
    if (i >= t.size() || (t[i] != u'E' && t[i] != u'e')) return 0;
    ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) negative = t[i++] == u'-';
    const size_t end = digitRunEnd(t, i);
    constexpr int64_t kSaturated = 1'000'000'000;
    int64_t e = 0;
    for (; i < end; ++i) e = std::min(e * 10 + (t[i] - u'0'), kSaturated);
    return negative ? -e : e;
}

// The magnitude rounded to the nearest integer, halfway to even; nothing above 32768.
std::optional<int32_t> roundedMagnitude(const DecimalDigits& d) {
    const auto n = static_cast<int64_t>(d.size());
    int64_t first = 0;  // first significant digit
    while (first < n && d.digit(first) == 0) ++first;
    if (first == n) return 0;
    constexpr int kMaxWholeDigits = 5;
    if (d.point - first > kMaxWholeDigits) return std::nullopt;
    int32_t whole = 0;
    for (int64_t k = first; k < d.point; ++k) whole = whole * 10 + d.digit(k);
    const int half = d.point >= 0 ? d.digit(d.point) : 0;  // first fractional digit
    bool beyondHalf = false;
    for (int64_t k = std::max<int64_t>(d.point + 1, 0); k < n && !beyondHalf; ++k) beyondHalf = d.digit(k) != 0;
    if (half > 5 || (half == 5 && (beyondHalf || whole % 2 == 1))) ++whole;
    return whole;
}

// ---- Tokens -------------------------------------------------------------------

void setNumber(Token& token, int16_t value) {
    token.kind = kTokNumber;
    token.words = 1;
    token.value = value;
    token.text.clear();
}

// A failed conversion: the token is a number whose value nobody reads.
void setBadNumber(AsmState& as) {
    as.token.kind = kTokNumber;
    as.token.words = 1;
    as.lineStatus = kStatusBadNumber;
}

// A string constant after its opening quote; a doubled quote stands for one quote.
TextView readString(AsmState& as, TextView s) {
    Text collected;
    while (!s.empty() && (s.starts_with(u"''") || s.front() != u'\'')) {
        collected += s.front();
        s.remove_prefix(s.starts_with(u"''") ? 2 : 1);
    }
    as.token.kind = kTokString;
    as.token.words = stringWordCount(collected.size());
    as.token.value = 0;
    as.token.text = std::move(collected);
    if (s.empty()) {
        as.lineStatus = kStatusOpenString;
    } else {
        s.remove_prefix(1);
    }
    return s;
}

// A number or a name: everything up to the next blank or comma.
TextView readWord(AsmState& as, TextView s) {
    const size_t end = std::min(s.find_first_of(u" ,", 1), s.size());
    const TextView word = s.substr(0, end);
    const char16_t lead = word.front();
    std::optional<int16_t> number;
    if (lead == u'#') {
        number = hexValue(word.substr(1));
    } else if (lead == u'+') {
        number = decimalValue(word.substr(1));
    } else if (lead == u'-' || isDigit(lead)) {
        number = decimalValue(word);
    } else {
        as.token = {kTokName, 1, 0, Text(word)};
        return s.substr(end);
    }
    if (number) {
        setNumber(as.token, *number);
    } else {
        setBadNumber(as);
    }
    return s.substr(end);
}

}  // namespace

std::optional<int16_t> decimalValue(TextView text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    DecimalDigits d;
    size_t end = digitRunEnd(text, i);
    d.whole = text.substr(i, end - i);
    if (end < text.size() && text[end] == u'.') {
        const size_t fractionEnd = digitRunEnd(text, end + 1);
        d.fraction = text.substr(end + 1, fractionEnd - end - 1);
        end = fractionEnd;
    }
    if (d.size() == 0) return 0;  // no digits at all: "-X", "+", "."
    d.point = static_cast<int64_t>(d.whole.size()) + exponentAt(text, end);
    const auto magnitude = roundedMagnitude(d);
    if (!magnitude) return std::nullopt;
    const int32_t value = negative ? -*magnitude : *magnitude;
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int16_t>(value);
}

std::optional<int16_t> hexValue(TextView text) {
    const HexReading r = readHexDigits(text, false);
    if (r.above16) return std::nullopt;
    return static_cast<int16_t>(signed16(r.low32));
}

int16_t stringWordCount(size_t n) {
    constexpr size_t kMaxCount = std::numeric_limits<int16_t>::max();
    if (n >= 2 * kMaxCount) return static_cast<int16_t>(kMaxCount);
    if (n % 2 == 0) return static_cast<int16_t>(n / 2 + 1);
    const size_t below = (n + 1) / 2;  // n / 2 + 1 lies halfway between below and below + 1
    return static_cast<int16_t>(below % 2 == 0 ? below : below + 1);
}

TextView commentAt(TextView s) {
    while (!s.empty() && isSeparator(s.front())) s.remove_prefix(1);
    return s.starts_with(u"/*") ? s : TextView{};
}

TextView lexToken(Workbench& wb, TextView s) {
    const TextView rest = lexToken(wb.as, s);
    if (s.starts_with(u",,")) warnAt(wb, tokenRange(wb), {Msg::WarnEmptyOperand, {}}, {{Msg::FixEmptyOperand, {}}});
    return rest;
}

TextView lexToken(AsmState& as, TextView s) {
    as.lineStatus = kStatusOk;
    if (s.starts_with(u",,")) {  // an empty operand between two commas reads as 0
        setNumber(as.token, 0);
        as.tokenText = s.substr(0, 1);
        return s.substr(1);
    }
    while (!s.empty() && isSeparator(s.front())) s.remove_prefix(1);
    if (s.empty() || !commentAt(s).empty()) {
        as.lineStatus = kStatusNoToken;
        return {};
    }
    const TextView rest = s.front() == u'\'' ? readString(as, s.substr(1)) : readWord(as, s);
    as.tokenText = s.substr(0, s.size() - rest.size());
    return rest;
}

}  // namespace comet
