// Code generation: each class turns its statement into tagged words at the location
// counter. References to user names stay table rows until the second pass.
#include "assembler/parser.hpp"
#include "assembler/remarks.hpp"
#include "assembler/source_ranges.hpp"

namespace comet {
namespace {

// The cell of the word k places after the location counter.
Cell& cellAt(Workbench& wb, int32_t k) { return wb.memory.writableCell(wb.locationCounter + k + 1); }

// A word; a table row in it notes the operand it was read from, for the second pass's messages.
void put(Workbench& wb, int32_t k, int16_t tag, int32_t value, SourceRange operand = {}) {
    Cell& c = cellAt(wb, k);
    c.tag = tag;
    c.value = value;
    wb.as.operandAt[static_cast<size_t>(wb.locationCounter + k)] = operand;
}

// True when n more words fit below address 200. Otherwise the program is longer than
// memory: the statement writes none of its words and the pass ends after one message.
bool roomFor(Workbench& wb, int32_t n) {
    if (wb.locationCounter + n <= kAddressCount) return true;
    wb.as.memoryOver = true;
    reportAt(wb, DiagKind::MemoryOver, statementRange(wb));
    return false;
}

// A two-word instruction: its head, then the address word, absolute or a table row.
void putInstruction(Workbench& wb, int32_t head, int16_t addressTag, int32_t address) {
    if (!roomFor(wb, 2)) return;
    put(wb, 0, kTagHead, signed16(head));
    put(wb, 1, addressTag, address, wb.as.st.addressAt);
    wb.locationCounter += 2;
}

// One word: final, or a table row to be resolved.
void putSingle(Workbench& wb, int16_t tag, int32_t value) {
    if (!roomFor(wb, 1)) return;
    put(wb, 0, tag, value, wb.as.st.addressAt);
    wb.locationCounter += 1;
}

TextView readAddress(Workbench& wb, TextView s) {
    s = lexOprAdr(wb, s);
    wb.as.st.address = wb.as.st.operandValue;
    wb.as.st.addressTag = wb.as.st.operandTag;
    wb.as.st.addressAt = tokenRange(wb);
    wb.as.st.numericAddress = wb.as.lineStatus == kStatusOk && wb.as.token.kind == kTokNumber;
    return s;
}

// The address operand and the index register that may follow it (CM0, CM1).
TextView readAddressAndIndex(Workbench& wb, TextView s) {
    s = readAddress(wb, s);
    if (wb.as.lineStatus == kStatusNoToken) {
        wb.as.lineStatus = kStatusNoAddress;
        wb.as.st.index = 0;
        warnAt(wb, statementRange(wb), {Msg::WarnEmptyOperand, {}}, {operandFormsNote(wb)});
        return s;
    }
    s = lexOprReg(wb, s);
    wb.as.st.index = static_cast<int16_t>(wb.as.st.operandValue);
    if (wb.as.lineStatus == kStatusOk && wb.as.token.kind != kTokString && wb.as.st.index == 0)
        warnAt(wb, tokenRange(wb), {Msg::WarnIndexGR0, {}}, {{Msg::FixIndexGR0, {}}});
    return s;
}

// Instructions whose address operand is a place in memory (not a value, a count or a stack word).
bool addressesMemory(int code) {
    return code != op::LEA && code != op::PUSH && (code < op::SLA || code > op::SRL);
}

// A number as the address of a word in memory, unindexed, that no address of the memory is.
void warnOfAddressOutside(Workbench& wb) {
    const Statement& st = wb.as.st;
    if (!st.numericAddress || st.index != 0 || !addressesMemory(st.code) || isProgramAddress(st.address)) return;
    warnAt(wb, st.addressAt, {Msg::WarnAddressOutside, {std::to_string(st.address)}}, {{Msg::FixAddressOutside, {}}});
}

// One address operand of IN or OUT; a missing one reads as 0.
TextView readMacroAddress(Workbench& wb, TextView s) {
    s = readAddress(wb, s);
    if (wb.as.lineStatus == kStatusNoToken) wb.as.lineStatus = kStatusNoAddress;
    return s;
}

// A string constant, two character codes a word and zero bytes after them, in as many
// words as its token counts; the block is listed on one line.
void putString(Workbench& wb, const Token& t) {
    const int32_t n = t.words;
    if (!roomFor(wb, n)) return;
    const auto codeAt = [&t](size_t i) { return i < t.text.size() ? byteCodeOf(t.text[i]) : 0; };
    for (int32_t k = 0; k < n; ++k) {
        const auto i = static_cast<size_t>(2 * k);
        cellAt(wb, k).value = packBytes(codeAt(i), codeAt(i + 1));
    }
    cellAt(wb, 0).tag = static_cast<int16_t>(n);
    wb.locationCounter += n;
}

}  // namespace

TextView genCM0(Workbench& wb, TextView s) {
    Statement& st = wb.as.st;
    s = lexOprReg(wb, s);
    st.reg = static_cast<int16_t>(st.operandValue);
    s = readAddressAndIndex(wb, s);
    warnOfAddressOutside(wb);
    putInstruction(wb, st.code * 256 + st.reg * 16 + st.index, st.addressTag, st.address);
    return s;
}

TextView lexOprCM1(Workbench& wb, TextView& s) {
    Statement& st = wb.as.st;
    s = readAddressAndIndex(wb, s);
    warnOfAddressOutside(wb);
    putInstruction(wb, st.code * 256 + st.index, st.addressTag, st.address);
    return s;
}

TextView lexOprCM2(Workbench& wb, TextView& s) {
    Statement& st = wb.as.st;
    s = lexOprReg(wb, s);
    st.reg = static_cast<int16_t>(st.operandValue);
    putInstruction(wb, st.code * 256 + st.reg * 16, kTagRow, 0);  // row 0 resolves to 0
    return s;
}

TextView lexOprCM3(Workbench& wb, TextView& s) {
    putSingle(wb, kTagPlain, signed16(wb.as.st.code * 256));
    s = {};
    return s;
}

TextView genMC0(Workbench& wb, TextView s) {
    Statement& st = wb.as.st;
    s = readMacroAddress(wb, s);
    const int32_t buffer = st.address;
    const int16_t bufferTag = st.addressTag;
    const SourceRange bufferAt = st.addressAt;
    s = readMacroAddress(wb, s);
    if (!roomFor(wb, kMacroWords)) return s;
    const int32_t next = wb.locationCounter + kMacroWords;
    put(wb, 0, kTagHead, signed16(st.code * 256));
    put(wb, 1, bufferTag, buffer, bufferAt);
    put(wb, 2, kTagHead, op::JMP * 256);  // jumps over the length word to the group's end
    put(wb, 3, kTagAbsolute, next);
    put(wb, 4, st.addressTag == kTagRow ? kTagConstRow : kTagPlain, st.address, st.addressAt);
    wb.locationCounter = next;
    return s;
}

TextView lexOprPS0(Workbench& wb, TextView& s) {
    Statement& st = wb.as.st;
    s = readAddress(wb, s);
    if (wb.as.lineStatus == kStatusOk) putInstruction(wb, st.code * 256, st.addressTag, st.address);
    return s;
}

TextView genDS(Workbench& wb, TextView s) {
    s = readAddress(wb, s);
    if (wb.as.token.kind != kTokNumber) {
        reportAt(wb, DiagKind::DsOperand, tokenRange(wb));  // the operand, or the mnemonic when there is none
        return s;
    }
    const int32_t n = wb.as.st.address;
    if (n < 0) {  // reserving backwards would overwrite the program already generated
        reportAt(wb, DiagKind::SyntaxError, tokenRange(wb));
        return s;
    }
    if (n == 0 || !roomFor(wb, n)) return s;
    cellAt(wb, 0).tag = static_cast<int16_t>(n);
    for (int32_t k = 0; k < n; ++k) cellAt(wb, k).value = 0;
    wb.locationCounter += n;
    return s;
}

TextView genDC(Workbench& wb, TextView s) {
    s = readAddress(wb, s);
    const Statement& st = wb.as.st;
    const Token& t = wb.as.token;
    if (t.kind == kTokString) {
        putString(wb, t);
    } else if (t.kind == kTokNumber) {
        putSingle(wb, kTagPlain, st.address);
    } else {  // a name, a rejected operand or none: a row, the null row when there is none
        putSingle(wb, kTagConstRow, st.addressTag == kTagRow ? st.address : 0);
    }
    return s;
}

void genStatement(Workbench& wb, TextView s) {
    switch (wb.as.st.cls) {
    case OpClass::CM0: genCM0(wb, s); break;
    case OpClass::CM1: lexOprCM1(wb, s); break;
    case OpClass::CM2: lexOprCM2(wb, s); break;
    case OpClass::CM3:
    case OpClass::MC1: lexOprCM3(wb, s); break;
    case OpClass::MC0: genMC0(wb, s); break;
    case OpClass::PS0: lexOprPS0(wb, s); break;
    case OpClass::PS1: break;  // END generates nothing
    case OpClass::PS2: genDS(wb, s); break;
    case OpClass::PS3: genDC(wb, s); break;
    case OpClass::None:
    case OpClass::REG: reportAt(wb, DiagKind::CannotGenerate, statementRange(wb)); break;
    }
}

}  // namespace comet
