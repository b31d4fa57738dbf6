#include "ui/lists.hpp"

#include "ui/registers.hpp"

namespace comet {

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

void selectPcLine(Workbench& wb, PcLineMiss miss) {
    const TextView pc = TextView(wb.txtGR[kPcBox]).substr(0, 4);
    auto& list = wb.list1;
    for (size_t i = 0; i < list.lines.size(); ++i) {
        if (TextView(list.lines[i]).substr(0, 4) == pc) {
            list.selected = static_cast<int>(i);
            return;
        }
    }
    // The scan leaves its last line selected; only DumpMem and a PC box edit clear it.
    if (miss == PcLineMiss::SelectNone) list.selected = -1;
    else if (!list.lines.empty()) list.selected = static_cast<int>(list.lines.size()) - 1;
}

void DumpMem(Workbench& wb) {
    auto& lines = wb.list2.lines;
    lines.clear();
    for (int32_t a = 0; a < wb.locationCounter; ++a) lines.push_back(dumpLine(a, wb.memory.cells[static_cast<size_t>(a) + 1].value));
    selectPcLine(wb, PcLineMiss::SelectNone);
}

}  // namespace comet
