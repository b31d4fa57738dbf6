#include "assembler/passes.hpp"

#include <string>
#include <utility>

#include "assembler/parser.hpp"
#include "assembler/remarks.hpp"
#include "assembler/source_ranges.hpp"
#include "assembler/table.hpp"
#include "workbench/editor_text.hpp"
#include "workbench/lists.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

// ---- Syntax analysis ----------------------------------------------------------

// The next line of the text, cut at the first CR LF; a lone CR or LF stays in the line.
TextView cutLine(TextView& text) {
    const size_t end = text.find(u"\r\n");
    if (end == TextView::npos) return std::exchange(text, TextView{});
    const TextView line = text.substr(0, end);
    text.remove_prefix(end + 2);
    return line;
}

// The words from address `first` up to the location counter came from the line being assembled.
void noteLineOfWords(Workbench& wb, int32_t first) {
    const int32_t line = spanOf(wb.as.lineStarts, statementRange(wb).begin, 0).line;
    for (int32_t a = first; a < wb.locationCounter; ++a) wb.as.lineOfWord[static_cast<size_t>(a)] = line;
}

bool endsTheWay(const PreviousStatement& p) {
    return (p.cls == OpClass::CM1 && p.code == op::JMP) || p.cls == OpClass::CM3 || p.cls == OpClass::MC1;
}

// Data right after an instruction that goes on to the next word is data the run executes.
void warnOfFallIntoData(Workbench& wb) {
    AsmState& as = wb.as;
    const bool data = as.st.cls == OpClass::PS2 || as.st.cls == OpClass::PS3;
    if (data && isOperation(as.previous.cls) && !endsTheWay(as.previous))
        warnAt(wb, statementRange(wb),
               {Msg::WarnFallIntoData, {toUtf8(Text(as.previous.operation)), std::to_string(as.previous.line), toUtf8(Text(as.st.operation))}},
               {{Msg::FixFallIntoData, {}}});
    as.sawExit = as.sawExit || as.st.cls == OpClass::MC1;
    if (as.st.cls == OpClass::PS1) return;
    as.previous = {as.st.cls, as.st.code, lineBeingAssembled(wb), as.st.operation};
    if (isOperation(as.st.cls)) as.lastOperation = as.previous;
}

// A program with no EXIT whose last instruction goes on to the next word ends only by
// chance; one that ends in a jump back means to run until it is stopped.
void warnOfNoExit(Workbench& wb) {
    const AsmState& as = wb.as;
    if (!as.sawExit && isOperation(as.lastOperation.cls) && !endsTheWay(as.lastOperation))
        warnAt(wb, {}, {Msg::WarnNoExit, {}}, {{Msg::FixNoExit, {}}});
}

void assembleLine(Workbench& wb, TextView line) {
    wb.as.line = line;
    const TextView rest = lexHead(wb, line);
    const int32_t first = wb.locationCounter;
    switch (wb.as.lineStatus) {
    case kStatusOk:
        warnOfFallIntoData(wb);
        genStatement(wb, rest);
        noteLineOfWords(wb, first);
        break;
    case kStatusNoToken: break;  // blank, comment, or a label that labels the next statement
    default: reportAt(wb, DiagKind::SyntaxError, tokenRange(wb)); break;  // the token the head stopped at
    }
}

// ---- Semantic analysis --------------------------------------------------------

Cell& cellOf(Workbench& wb, int32_t address) { return wb.memory.writableCell(address + 1); }

// The address the table row in the word at address p stands for. A name never defined
// is reported at each use, where the use stands in the source, and stands for 0.
int32_t resolveRow(Workbench& wb, int32_t p, int32_t row) {
    const TableRow& r = wb.table.rows[static_cast<size_t>(row)];
    if (r.defined) return r.value;
    reportAt(wb, DiagKind::Undefined, wb.as.operandAt[static_cast<size_t>(p)], r.name);
    return 0;
}

// The listing text of the item at address p, its references resolved in memory; moves p past it.
Text listItem(Workbench& wb, int32_t& p) {
    Cell& head = cellOf(wb, p);
    switch (head.tag) {
    case kTagHead: {
        Cell& address = cellOf(wb, p + 1);
        if (address.tag != kTagAbsolute) address.value = resolveRow(wb, p + 1, address.value);
        p += 2;
        return u" " + cnvHex4(head.value) + u"  " + cnvHex4(address.value) + u" ";
    }
    case kTagConstRow:
        head.value = resolveRow(wb, p, head.value);
        p += 1;
        return u" " + cnvHex4(head.value) + u" ";
    case kTagPlain:
        p += 1;
        return u" " + cnvHex4(head.value) + u" ";
    default: {  // a block of n words on one line
        Text item = u" ";
        for (int32_t n = head.tag; n > 0; --n, ++p) item += cnvHex4(cellOf(wb, p).value) + u" ";
        return item;
    }
    }
}

}  // namespace

void SynANA(Workbench& wb) {
    synInit(wb);
    wb.locationCounter = 0;
    wb.diagnostics.clear();
    wb.warnings.clear();
    AsmState& as = wb.as;
    as.memoryOver = false;
    as.previous = as.lastOperation = {};
    as.sawExit = false;
    as.lineOfLabel.fill(0);
    as.lineOfWord.fill(0);
    const Text source = wb.text1.text;  // the text as it stood when the pass began
    as.source = source;
    as.lineStarts = lineStarts(source);
    TextView rest = source;
    while (!rest.empty() && !as.memoryOver) assembleLine(wb, cutLine(rest));
    warnOfNoExit(wb);
    as.source = as.line = as.tokenText = {};
    as.st.operation = as.previous.operation = as.lastOperation.operation = {};
}

void semANA(Workbench& wb) {
    wb.list1.lines.clear();
    wb.list1.selected = -1;
    wb.as.listIndex = 0;
    for (int32_t p = 0; p < wb.locationCounter;) {
        Text line = cnvHex4(p) + u": ";
        line += listItem(wb, p);
        wb.list1.lines.insert(wb.list1.lines.begin() + wb.as.listIndex, std::move(line));
        ++wb.as.listIndex;
    }
    indexListing(wb);
}

}  // namespace comet
