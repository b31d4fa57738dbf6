#include "ui/registers.hpp"

#include "ui/lists.hpp"

namespace comet {
namespace {

int hexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

bool isIgnoredInBox(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }

int32_t& registerOfBox(Workbench& wb, int k) { return k == kPcBox ? wb.regs.pc : wb.regs.r[static_cast<size_t>(k)]; }

// 0..FFFF when the text is exactly four upper-case hexadecimal digits, as a refresh writes them; else -1.
int32_t fourDigitValue(const Text& text) {
    if (text.size() != 4) return -1;
    int32_t v = 0;
    for (char16_t c : text) {
        const int d = hexDigitValue(c);
        if (d < 0 || (c >= u'a' && c <= u'f')) return -1;
        v = v * 16 + d;
    }
    return v;
}

// Writes a register's four digits into its box, unless the box shows them already.
void refreshBox(Workbench& wb, int k) {
    const int32_t digits = registerOfBox(wb, k) & 0xFFFF;
    if (wb.txtGRValue[static_cast<size_t>(k)] != digits) setBoxText(wb, k, cnvHex4(digits));
}

}  // namespace

Text cnvHex4(int32_t value) {
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    const auto bits = static_cast<uint32_t>(value);
    Text out(4, u'0');
    for (int i = 0; i < 4; ++i) out[static_cast<size_t>(3 - i)] = digits[(bits >> (4 * i)) & 0xFu];
    return out;
}

int32_t readBoxValue(const Text& text) {
    uint32_t value = 0;  // wraps modulo 2^32 however many digits the user typed
    for (char16_t c : text) {
        if (isIgnoredInBox(c)) continue;
        const int d = hexDigitValue(c);
        if (d < 0) break;
        value = value * 16u + static_cast<uint32_t>(d);
    }
    if (value <= 0xFFFFu) return signed16(value);
    return static_cast<int32_t>(value);
}

int32_t boxValue(const Workbench& wb, int k) {
    const int32_t digits = wb.txtGRValue[static_cast<size_t>(k)];
    return digits >= 0 ? signed16(digits) : readBoxValue(wb.txtGR[static_cast<size_t>(k)]);
}

void setBoxText(Workbench& wb, int k, const Text& text) {
    Text& box = wb.txtGR[static_cast<size_t>(k)];
    if (box == text) return;
    box = text;
    wb.txtGRValue[static_cast<size_t>(k)] = fourDigitValue(text);
    txtGR_Change(wb, k);
}

void txtGR_Change(Workbench& wb, int k) {
    registerOfBox(wb, k) = boxValue(wb, k);
    if (k == kPcBox) selectPcLine(wb, PcLineMiss::SelectNone);
}

void DumpMemReg(Workbench& wb) {
    for (int k = 0; k < kBoxCount; ++k) refreshBox(wb, k);
    DumpMem(wb);
}

}  // namespace comet
