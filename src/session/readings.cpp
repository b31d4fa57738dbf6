#include "session/readings.hpp"

#include <string>

#include "machine/hex.hpp"
#include "session/language.hpp"
#include "session/source_lines.hpp"
#include "workbench/editor_text.hpp"
#include "workbench/lists.hpp"
#include "workbench/values.hpp"

namespace comet {
namespace {

std::string hex4(int32_t value) { return toUtf8(cnvHex4(value)); }

int32_t wordAt(const Workbench& wb, int32_t address) { return wb.memory.cell(address + 1).value; }

// A field of 6 to 15 names no register: the engine stops on it, and the reading says which.
std::string registerName(int r) {
    return static_cast<size_t>(r) < kRegisterNames.size() ? std::string(kRegisterNames[static_cast<size_t>(r)]) : "R" + std::to_string(r);
}

// The text of the editor line that made the word at `address`, while the editor still
// holds that line; 0 and nothing otherwise.
struct Statement {
    int32_t line = 0;
    Text text;
};

Statement statementAt(const Workbench& wb, int32_t address) {
    const int32_t line = sourceLineOfAddress(wb, address);
    const TextView text = wb.text1.text;
    const std::vector<int32_t> starts = lineStarts(text);
    if (line <= 0 || static_cast<size_t>(line) > starts.size()) return {};
    const auto i = static_cast<size_t>(line - 1);
    return {line, Text(text.substr(static_cast<size_t>(starts[i]), static_cast<size_t>(lineContentEnd(text, starts, i) - starts[i])))};
}

// A one-word instruction (RET, EXIT) is listed as a plain word, as a one-word constant is:
// only its statement tells them apart.
bool isOneWordInstruction(const Workbench& wb, int32_t address) {
    if (wb.memory.cell(address + 1).tag != kTagPlain) return false;
    const Statement s = statementAt(wb, address);
    if (s.line == 0 || sourceLineOfAddress(wb, address - 1) == s.line) return false;
    const ProgramOutline outline = outlineOf(s.text);
    const auto& operation = outline.lines.front().operation;
    return operation && isOperation(reservedWordNamed(operation->text)->cls);
}

std::string operandsOf(const ReservedWord& r, int32_t head, int32_t address) {
    const int x = indexField(head);
    const std::string index = x != 0 ? ", " + registerName(x) : "";
    switch (r.cls) {
    case OpClass::CM0: return " " + registerName(registerField(head)) + ", " + hex4(address) + index;
    case OpClass::CM1: return " " + hex4(address) + index;
    case OpClass::CM2: return " " + registerName(registerField(head));
    default: return {};
    }
}

Text sourceLineReading(const Workbench& wb, int32_t address) {
    const Statement s = statementAt(wb, address);
    if (s.line == 0) return {};
    return fromUtf8(message(Msg::ReadSourceLine, {std::to_string(s.line), toUtf8(s.text)})) + u"\r\n";
}

Text readingAt(const Workbench& wb, int32_t address) {
    Text text = sourceLineReading(wb, address);
    if (const Text decoded = decodedInstruction(wb, address); !decoded.empty())
        text += fromUtf8(message(Msg::ReadInstruction, {toUtf8(decoded)})) + u"\r\n";
    return text + wordReading(wordAt(wb, address));
}

}  // namespace

Text decodedInstruction(const Workbench& wb, int32_t address) {
    if (!isProgramAddress(address)) return {};
    const bool twoWords = wb.memory.cell(address + 1).tag == kTagHead && isProgramAddress(address + 1);
    if (!twoWords && !isOneWordInstruction(wb, address)) return {};
    const int32_t head = wordAt(wb, address);
    const ReservedWord* r = operationOf(opcodeField(head));
    if (r == nullptr || (r->words == 2) != twoWords) return {};
    return fromUtf8(std::string(r->name) + operandsOf(*r, head, twoWords ? wordAt(wb, address + 1) : 0));
}

Text listingReading(const Workbench& wb, int row) {
    const int32_t address = listingAddress(wb, row);
    return address < 0 ? Text() : readingAt(wb, address);
}

Text dumpReading(const Workbench& wb, int row) {
    return row < 0 || row >= dumpLineCount(wb) ? Text() : readingAt(wb, row);
}

}  // namespace comet
