#include "assembler/parser.hpp"

#include "assembler/lexer.hpp"
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
    } else if (row != 0) {
        reportAt(wb, DiagKind::DuplicateLabel, tokenRange(wb), wb.as.token.text);
    }
}

void setOperation(Workbench& wb, int16_t row) {
    const TableRow& r = wb.table.rows[static_cast<size_t>(row)];
    wb.as.st.code = static_cast<int16_t>(signed16(r.value));
    wb.as.st.cls = r.cls;
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
            if (tblClass(wb, row) == OpClass::None) {
                st.operandTag = kTagRow;
                value = row;
            } else {
                wb.as.lineStatus = kStatusWrongClass;
            }
        } else {
            value = packedOperand(t.text);
        }
    }
    st.operandValue = value;
    return s;
}

}  // namespace comet
