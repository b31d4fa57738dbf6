#include "workbench/registers.hpp"

#include "workbench/lists.hpp"

namespace comet {
namespace {

// The register box k shows (a const or a writable reference, as the workbench is).
template <class W>
auto& registerOfBox(W& wb, int k) { return k == kPcBox ? wb.regs.pc : wb.regs.r[static_cast<size_t>(k)]; }

// Puts the four digits of a value into box k, hook aside.
void showDigits(Workbench& wb, int k, int32_t digits) {
    wb.txtGR[static_cast<size_t>(k)] = cnvHex4(digits);
    wb.txtGRValue[static_cast<size_t>(k)] = digits;
}

// Writes a register's four digits into its box, unless the box shows them already: then
// the text changes, and the change hook runs as with any set.
void refreshBox(Workbench& wb, int k) {
    const int32_t digits = registerOfBox(wb, k) & 0xFFFF;
    if (wb.txtGRValue[static_cast<size_t>(k)] == digits) return;
    showDigits(wb, k, digits);
    txtGR_Change(wb, k);
}

}  // namespace

int32_t readBoxValue(const Text& text) {
    const uint32_t value = readHexDigits(text, true).low32;  // however many digits the user typed
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

bool boxesShowRegisters(const Workbench& wb) {
    bool all = true;
    for (int k = 0; k < kBoxCount; ++k) all = all && wb.txtGRValue[static_cast<size_t>(k)] == (registerOfBox(wb, k) & 0xFFFF);
    return all;
}

void showRegistersInBoxes(Workbench& wb) {
    for (int k = 0; k < kBoxCount; ++k) showDigits(wb, k, registerOfBox(wb, k) & 0xFFFF);
}

}  // namespace comet
