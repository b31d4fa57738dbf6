#include "workbench/lists.hpp"

#include "machine/hex.hpp"

namespace comet {
namespace {

// The address the PC box's first four characters name, as a listing line would spell it.
int32_t pcBoxAddress(const Workbench& wb) {
    const int32_t digits = wb.txtGRValue[kPcBox];
    return digits >= 0 ? digits : fourDigitValue(TextView(wb.txtGR[kPcBox]).substr(0, 4));
}

}  // namespace

char16_t dumpChar(int byte) {
    if (byte >= 32 && byte <= 126) return static_cast<char16_t>(byte);
    if (byte == 160) return u' ';
    if (byte >= 161 && byte <= 223) return static_cast<char16_t>(0xFF61 + (byte - 161));
    return u'.';
}

Text dumpLine(int32_t address, int32_t value) {
    Text line = cnvHex4(address) + u": " + cnvHex4(value) + u"   ";
    line += dumpChar(wordByte(value, 1));
    line += dumpChar(wordByte(value, 0));
    return line;
}

int32_t dumpLineCount(const Workbench& wb) { return wb.list2.count; }

Text dumpLineText(const Workbench& wb, int32_t i) { return dumpLine(i, wb.list2.values[static_cast<size_t>(i) + 1]); }

void indexListing(Workbench& wb) {
    auto& list = wb.list1;
    list.firstLineAt.fill(-1);
    for (size_t i = list.lines.size(); i-- > 0;) {
        const int32_t a = fourDigitValue(TextView(list.lines[i]).substr(0, 4));
        if (a >= 0 && a < kAddressCount) list.firstLineAt[static_cast<size_t>(a)] = static_cast<int16_t>(i);
    }
}

void selectPcLine(Workbench& wb, PcLineMiss miss) {
    auto& list = wb.list1;
    const int32_t a = pcBoxAddress(wb);
    const int line = a >= 0 && a < kAddressCount ? list.firstLineAt[static_cast<size_t>(a)] : -1;
    if (line >= 0) list.selected = line;
    // The scan leaves its last line selected; only DumpMem and a PC box edit clear it.
    else if (miss == PcLineMiss::SelectNone) list.selected = -1;
    else if (!list.lines.empty()) list.selected = static_cast<int>(list.lines.size()) - 1;
}

void DumpMem(Workbench& wb) {
    // Only the cells written since the last refresh can have changed their lines.
    const auto [first, last] = wb.memory.takeChanges();
    for (int c = first; c < last; ++c) wb.list2.values[static_cast<size_t>(c)] = wb.memory.cell(c).value;
    wb.list2.count = wb.locationCounter;
    selectPcLine(wb, PcLineMiss::SelectNone);
}

}  // namespace comet
