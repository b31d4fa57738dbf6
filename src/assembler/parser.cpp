#include "assembler/parser.hpp"

#include <algorithm>

#include "assembler/lexer.hpp"
#include "assembler/remarks.hpp"
#include "assembler/source_ranges.hpp"
#include "assembler/table.hpp"

namespace comet {
namespace {

// The row of the name just read, entered when new.
int16_t lookupToken(Workbench& wb) { return tblLookup(wb, wb.as.token.text, OpClass::None); }

// A label takes the address of the next word. A second definition keeps the first
// address and is reported; row 0 (a name the full table could not take) never is.
void defineLabel(Workbench& wb, int16_t row) {
    TableRow& r = wb.table.rows[static_cast<size_t>(row)];
    if (!r.defined) {
        r.defined = true;
        r.value = wb.locationCounter;
        wb.as.lineOfLabel[static_cast<size_t>(row)] = lineBeingAssembled(wb);
    } else if (row != 0) {
        reportAt(wb, DiagKind::DuplicateLabel, tokenRange(wb), wb.as.token.text);
    }
}

void setOperation(Workbench& wb, int16_t row) {
    const TableRow& r = wb.table.rows[static_cast<size_t>(row)];
    wb.as.st.code = static_cast<int16_t>(signed16(r.value));
    wb.as.st.cls = r.cls;
    wb.as.st.operation = wb.as.tokenText;
}

// The next word of `s` in upper case, as the lexer would cut it.
Text peekWord(TextView s) {
    while (!s.empty() && (s.front() == u' ' || s.front() == u',')) s.remove_prefix(1);
    Text word(s.substr(0, std::min(s.find_first_of(u" ,"), s.size())));
    for (char16_t& c : word) c = asciiUpper(c);
    return word;
}

// A line that begins with a reserved word followed by another is a label the design reads
// as an instruction: OUT LD GR1,X makes LD an operand of OUT.
void warnOfReservedLabel(Workbench& wb, TextView rest) {
    if (wb.as.tokenText.data() != wb.as.line.data()) return;  // not at the start of the line
    const Text next = peekWord(rest);
    const bool reservedNext = std::any_of(kReservedWords.begin(), kReservedWords.end(), [&next](const ReservedWord& w) {
        return w.cls != OpClass::REG && fromAscii(w.name) == next;
    });
    if (!reservedNext) return;
    const std::string word = toUtf8(Text(wb.as.tokenText));
    warnAt(wb, tokenRange(wb), {Msg::WarnReservedLabel, {word, toUtf8(next)}}, {{Msg::RenameLabel, {word}}});
}

// A reserved word where an operand name is expected reads as 0 without a word from the design.
// True on a line already warned of as a label read as an instruction: what its operands
// then read as follows from that and is not warned of again.
bool afterReservedLabel(const Workbench& wb) {
    const int32_t line = lineBeingAssembled(wb);
    for (auto w = wb.warnings.rbegin(); w != wb.warnings.rend() && w->where.line == line; ++w)
        if (w->text.id == Msg::WarnReservedLabel) return true;
    return false;
}

void warnOfReservedOperand(Workbench& wb, OpClass cls) {
    if (afterReservedLabel(wb)) return;
    const std::string word = toUtf8(wb.as.token.text);
    const Note what = cls == OpClass::REG ? Note{Msg::WarnIsRegister, {}} : Note{Msg::WarnIsInstruction, {}};
    const Note fix = cls == OpClass::REG ? operandFormsNote(wb) : Note{Msg::RenameLabel, {word}};
    warnAt(wb, tokenRange(wb), {Msg::WarnReservedOperand, {word, noteText(what)}}, {fix});
}

// The operation after a label: a name whose row is a reserved word other than a register.
TextView readOperationAfterLabel(Workbench& wb, TextView s) {
    s = lexToken(wb, s);
    if (wb.as.lineStatus != kStatusOk) return s;  // a label alone labels the next statement
    if (wb.as.token.kind != kTokName) {
        wb.as.lineStatus = kStatusHeadNotName;
        return s;
    }
    const int16_t row = lookupToken(wb);
    const OpClass cls = tblClass(wb, row);
    if (cls == OpClass::None || cls == OpClass::REG) {
        wb.as.lineStatus = kStatusWrongClass;
        return s;
    }
    setOperation(wb, row);
    return s;
}

// The two characters of a string operand packed into one signed word (an empty string gives 0).
int32_t packedOperand(const Text& t) {
    if (t.empty()) return 0;
    return packBytes(byteCodeOf(t[0]), t.size() >= 2 ? byteCodeOf(t[1]) : 0);
}

}  // namespace

TextView lexHead(Workbench& wb, TextView s) {
    s = lexToken(wb, s);
    if (wb.as.lineStatus != kStatusOk) return s;
    if (wb.as.token.kind != kTokName) {
        wb.as.lineStatus = kStatusHeadNotName;
        return s;
    }
    const int16_t row = lookupToken(wb);
    const OpClass cls = tblClass(wb, row);
    if (cls == OpClass::REG) {
        wb.as.lineStatus = kStatusWrongClass;
        return s;
    }
    if (cls == OpClass::None) {
        defineLabel(wb, row);
        return readOperationAfterLabel(wb, s);
    }
    setOperation(wb, row);
    warnOfReservedLabel(wb, s);
    return s;
}

TextView lexOprReg(Workbench& wb, TextView s) {
    s = lexToken(wb, s);
    int32_t reg = 0;
    if (wb.as.lineStatus == kStatusOk) {
        const Token& t = wb.as.token;
        if (t.kind == kTokNumber) {
            if (t.value >= 0 && t.value <= 4) {
                reg = t.value;
            } else {
                wb.as.lineStatus = kStatusWrongClass;
            }
        } else if (t.kind == kTokName) {
            const int16_t row = lookupToken(wb);
            if (tblClass(wb, row) == OpClass::REG) {
                reg = wb.table.rows[static_cast<size_t>(row)].value;
            } else {
                wb.as.lineStatus = kStatusWrongClass;
            }
        }
        if ((wb.as.lineStatus == kStatusWrongClass && !afterReservedLabel(wb)) || t.kind == kTokString)
            warnAt(wb, tokenRange(wb), {Msg::WarnNotRegister, {toUtf8(Text(wb.as.tokenText))}}, {operandFormsNote(wb)});
    }
    wb.as.st.operandValue = reg;
    return s;
}

TextView lexOprAdr(Workbench& wb, TextView s) {
    Statement& st = wb.as.st;
    st.operandTag = kTagAbsolute;
    s = lexToken(wb, s);
    int32_t value = 0;
    if (wb.as.lineStatus == kStatusOk) {
        const Token& t = wb.as.token;
        if (t.kind == kTokNumber) {
            value = t.value;
        } else if (t.kind == kTokName) {
            const int16_t row = lookupToken(wb);
            const OpClass cls = tblClass(wb, row);
            if (cls == OpClass::None) {
                st.operandTag = kTagRow;
                value = row;
            } else {
                wb.as.lineStatus = kStatusWrongClass;
                warnOfReservedOperand(wb, cls);
            }
        } else {
            value = packedOperand(t.text);
        }
    }
    if (wb.as.lineStatus == kStatusBadNumber)
        warnAt(wb, tokenRange(wb), {Msg::BadNumber, {toUtf8(Text(wb.as.tokenText))}}, {{Msg::ReadsAsZero, {}}});
    st.operandValue = value;
    return s;
}

}  // namespace comet
