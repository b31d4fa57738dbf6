#include "workbench/values.hpp"

#include <string>

#include "machine/hex.hpp"

namespace comet {
namespace {

constexpr int kFrBox = kRegFR;

std::string binary(uint32_t bits) {
    std::string text;
    for (int b = 15; b >= 0; --b) {
        text += ((bits >> b) & 1u) != 0 ? '1' : '0';
        if (b % 4 == 0 && b > 0) text += ' ';
    }
    return text;
}

Text shownChar(int byte) {
    const char16_t c = outputCharOf(byte);
    return byte < 0x20 || byte == 0x7F || c == u'\uFFFD' ? Text(u"·") : Text(1, c);
}

Text line(Msg id, const std::string& value) { return fromUtf8(message(id, {value})); }

}  // namespace

Text wordReading(int32_t value) {
    const auto bits = static_cast<uint32_t>(value) & 0xFFFFu;
    const Text chars = u"'" + shownChar(static_cast<int>(bits >> 8)) + shownChar(static_cast<int>(bits & 0xFFu)) + u"'";
    return line(Msg::ReadHex, toUtf8(cnvHex4(value))) + u"\r\n" + line(Msg::ReadUnsigned, std::to_string(bits)) +
           u"\r\n" + line(Msg::ReadSigned, std::to_string(signed16(bits))) + u"\r\n" + line(Msg::ReadBinary, binary(bits)) +
           u"\r\n" + line(Msg::ReadChars, toUtf8(chars));
}

Text flagsReading(int32_t fr) {
    const std::string hex = toUtf8(cnvHex4(fr));
    switch (signed16(fr)) {
    case kFRPlus: return line(Msg::FlagsPlus, hex);
    case kFRZero: return line(Msg::FlagsZero, hex);
    case kFRMinus: return line(Msg::FlagsMinus, hex);
    default: return line(Msg::FlagsOther, hex);
    }
}

Text boxReading(const Workbench& wb, int k) {
    const int32_t value = wb.txtGRValue[static_cast<size_t>(k)];
    if (value < 0) return {};
    if (k == kFrBox) return flagsReading(value) + u"\r\n" + wordReading(value);
    return wordReading(value);
}

}  // namespace comet
