#include "session/language.hpp"

#include <algorithm>
#include <array>
#include <string_view>

#include "assembler/table.hpp"
#include "files/source_text.hpp"
#include "machine/hex.hpp"
#include "session/actions.hpp"
#include "session/instruction_help.hpp"
#include "workbench/messages.hpp"

namespace comet {
namespace {

// ---- Splitting a line as the lexer does ------------------------------------------

bool isSeparator(char16_t c) { return c == u' ' || c == u','; }

bool isName(TextView word) {
    const char16_t lead = word.front();
    return lead != u'#' && lead != u'+' && lead != u'-' && !(lead >= u'0' && lead <= u'9') && lead != u'\'';
}

// The words of a line up to its comment, strings included as one word each.
std::vector<SourceWord> wordsOf(TextView line, int32_t lineNumber) {
    std::vector<SourceWord> words;
    size_t i = 0;
    while (true) {
        while (i < line.size() && isSeparator(line[i])) ++i;
        if (i >= line.size() || line.substr(i).starts_with(u"/*")) return words;
        size_t end = i + 1;
        if (line[i] == u'\'') {
            while (end < line.size() && (line[end] != u'\'' || line.substr(end).starts_with(u"''")))
                end += line.substr(end).starts_with(u"''") ? 2 : 1;
            end = std::min(end + 1, line.size());
        } else {
            while (end < line.size() && !isSeparator(line[end])) ++end;
        }
        words.push_back({lineNumber, static_cast<int32_t>(i), static_cast<int32_t>(end - i), Text(line.substr(i, end - i))});
        i = end;
    }
}

bool isOperationWord(const SourceWord& w) {
    const ReservedWord* r = reservedWordNamed(w.text);
    return r != nullptr && r->cls != OpClass::REG;
}

void outlineLine(ProgramOutline& outline, TextView line, int32_t lineNumber) {
    LineParts parts;
    parts.plain = line.find(u'\t') == TextView::npos;
    const std::vector<SourceWord> words = wordsOf(line, lineNumber);
    size_t next = 0;
    if (!words.empty() && isName(words[0].text) && reservedWordNamed(words[0].text) == nullptr) {
        parts.label = words[0];
        outline.labels.push_back(words[0]);
        next = 1;
    }
    if (next < words.size() && isOperationWord(words[next])) parts.operation = words[next++];
    if (!parts.operation && next < words.size()) parts.plain = false;  // a head the assembler rejects
    if (next < words.size()) parts.operandColumn = words[next].column;
    for (; next < words.size(); ++next) {
        if (isName(words[next].text)) {
            const ReservedWord* r = reservedWordNamed(words[next].text);
            if (r == nullptr) outline.references.push_back(words[next]);
            else if (r->cls == OpClass::REG) outline.registers.push_back(words[next]);
        }
    }
    outline.lines.push_back(std::move(parts));
}

// Each line of a text and the break that ends it (CR LF, CR, LF or nothing).
struct TextLine {
    TextView text;
    TextView lineBreak;
};

std::vector<TextLine> linesOf(TextView source) {
    std::vector<TextLine> lines;
    size_t start = 0;
    while (true) {
        const size_t end = source.find_first_of(u"\r\n", start);
        if (end == TextView::npos) {
            lines.push_back({source.substr(start), {}});
            return lines;
        }
        const size_t breakLength = source.substr(end).starts_with(u"\r\n") ? 2 : 1;
        lines.push_back({source.substr(start, end - start), source.substr(end, breakLength)});
        start = end + breakLength;
    }
}

bool contains(const SourceWord& w, int32_t line, int32_t column) {
    return w.line == line && column >= w.column && column <= w.column + w.length;
}

Text hex(int32_t value) { return u"#" + cnvHex4(value); }
Text number(int64_t n) { return fromAscii(std::to_string(n)); }

// The help in Markdown: the title in bold, the CASL in code spans.
Text operationHelp(const InstructionHelp& help) {
    const auto code = [](const Text& casl) { return "`" + toUtf8(casl) + "`"; };
    Text text = u"**" + help.title + u"**\n\n" + help.meaning;
    if (!help.form.empty()) text += u"\n\n" + messageText(Msg::HelpForm, {code(help.form)});
    if (!help.flags.empty()) text += u"\n\n" + help.flags;
    if (!help.example.empty()) text += u"\n\n" + messageText(Msg::HelpExample, {code(help.example)});
    return text;
}

Text labelHelp(const ProgramOutline& outline, const Workbench& assembled, const SourceWord& word) {
    Text text = u"**" + word.text + u"**";
    const auto address = labelAddress(assembled, word.text);
    const auto defined = definitionOf(outline, word.text);
    if (address) text += u" at address " + hex(*address) + u" (" + number(*address) + u")";
    if (defined) return text + u", defined on line " + number(defined->line + 1);
    return text + u": no line defines it";
}

// What assembling a text leaves that formatting must keep: every word with its tag, the
// location counter and the messages.
struct AssembledWords {
    std::array<Cell, kCellCount> cells;
    int32_t locationCounter;
    std::vector<DiagKind> messages;
};

AssembledWords assembledWordsOf(TextView source) {
    SilentDisplay display;
    Workbench wb(display);
    startWorkbench(wb);
    assembleText(wb, editorText(source));
    AssembledWords result{{}, wb.locationCounter, {}};
    for (int c = 0; c < kCellCount; ++c) result.cells[static_cast<size_t>(c)] = wb.memory.cell(c);
    for (const Diagnostic& d : wb.diagnostics) result.messages.push_back(d.kind);
    return result;
}

bool sameWords(const AssembledWords& a, const AssembledWords& b) {
    const auto sameCell = [](const Cell& x, const Cell& y) { return x.tag == y.tag && x.value == y.value; };
    return a.locationCounter == b.locationCounter && a.messages == b.messages &&
           std::equal(a.cells.begin(), a.cells.end(), b.cells.begin(), sameCell);
}

// The columns of the aligned text: operations, then operands.
struct Columns {
    int32_t operation = kOperationColumn;
    int32_t operands = kOperationColumn;
};

Columns columnsOf(const ProgramOutline& outline) {
    Columns c;
    int32_t longestOperation = 0;
    for (const LineParts& p : outline.lines) {
        if (!p.plain) continue;
        if (p.label && p.operation) c.operation = std::max(c.operation, p.label->length + 1);
        if (p.operation) longestOperation = std::max(longestOperation, p.operation->length);
    }
    c.operands = c.operation + longestOperation + kOperandGap;
    return c;
}

Text alignedLine(const LineParts& p, TextView line, const Columns& c) {
    if (!p.plain || (!p.label && !p.operation)) return Text(line);
    Text out = p.label ? p.label->text : Text();
    if (!p.operation) return out;
    out.resize(static_cast<size_t>(c.operation), u' ');
    out += p.operation->text;
    if (p.operandColumn < 0) return out;
    out.resize(static_cast<size_t>(c.operands), u' ');
    return out + Text(line.substr(static_cast<size_t>(p.operandColumn)));
}

}  // namespace

ProgramOutline outlineOf(TextView source) {
    ProgramOutline outline;
    int32_t n = 0;
    for (const TextLine& line : linesOf(source)) outlineLine(outline, line.text, n++);
    return outline;
}

const SourceWord* wordAt(const ProgramOutline& outline, int32_t line, int32_t column) {
    if (line < 0 || static_cast<size_t>(line) >= outline.lines.size()) return nullptr;
    const LineParts& parts = outline.lines[static_cast<size_t>(line)];
    if (parts.label && contains(*parts.label, line, column)) return &*parts.label;
    if (parts.operation && contains(*parts.operation, line, column)) return &*parts.operation;
    for (const auto* words : {&outline.references, &outline.registers})
        for (const SourceWord& w : *words)
            if (contains(w, line, column)) return &w;
    return nullptr;
}

std::vector<SourceWord> placesOfLabel(const ProgramOutline& outline, TextView name, bool withDefinitions) {
    std::vector<SourceWord> places;
    if (withDefinitions)
        for (const SourceWord& w : outline.labels)
            if (sameName(w.text, name)) places.push_back(w);
    for (const SourceWord& w : outline.references)
        if (sameName(w.text, name)) places.push_back(w);
    return places;
}

std::optional<SourceWord> definitionOf(const ProgramOutline& outline, TextView name) {
    for (const SourceWord& w : outline.labels)
        if (sameName(w.text, name)) return w;  // a second definition is an error; the first counts
    return std::nullopt;
}

std::optional<Text> hoverText(const ProgramOutline& outline, const Workbench& assembled, const SourceWord& word) {
    if (const auto help = instructionHelp(word.text)) return operationHelp(*help);
    if (!isName(word.text)) return std::nullopt;
    return labelHelp(outline, assembled, word);
}

std::vector<Completion> completions(const ProgramOutline& outline) {
    std::vector<Completion> items;
    for (const ReservedWord& r : kReservedWords) {
        const auto kind = r.cls == OpClass::REG ? Completion::Register
                          : isOperation(r.cls)  ? Completion::Operation
                                                : Completion::Directive;
        items.push_back({kind, fromAscii(r.name), fromAscii(operandNotation(r.cls))});
    }
    for (const SourceWord& w : outline.labels) {
        if (definitionOf(outline, w.text)->line != w.line) continue;  // a label once, where it counts
        items.push_back({Completion::Label, w.text, u"line " + number(w.line + 1)});
    }
    return items;
}

std::optional<Text> formattedSource(TextView source) {
    const ProgramOutline outline = outlineOf(source);
    const Columns columns = columnsOf(outline);
    Text out;
    size_t n = 0;
    for (const TextLine& line : linesOf(source)) out += alignedLine(outline.lines[n++], line.text, columns) + Text(line.lineBreak);
    if (out == source || !sameWords(assembledWordsOf(source), assembledWordsOf(out))) return std::nullopt;
    return out;
}

}  // namespace comet
