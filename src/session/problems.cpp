#include "session/problems.hpp"

#include <algorithm>
#include <array>
#include <string>

#include "machine/hex.hpp"
#include "session/run_notes.hpp"
#include "session/source_lines.hpp"
#include "workbench/editor_text.hpp"

namespace comet {

namespace {

// The message, and on a second line an address it carries, in the hexadecimal every other display shows.
Text tipOf(const Diagnostic& d) {
    Text tip = diagnosticText(d);
    if (kDiagTexts[static_cast<size_t>(d.kind)].carries == DiagText::Address)
        tip += u"\r\n" + fromUtf8(message(Msg::AddressInHex, {toUtf8(cnvHex4(static_cast<int32_t>(d.address)))}));
    return tip;
}

Problem problemOf(const Diagnostic& d) {
    const ProblemKind kind = d.kind == DiagKind::Undefined ? ProblemKind::UndefinedName : ProblemKind::Error;
    return {kind, d.where.line, d.where.column, d.where.endColumn, diagnosticText(d), tipOf(d), d.notes};
}

Problem problemOf(const Warning& w) {
    const Text text = fromUtf8(noteText(w.text));
    return {ProblemKind::Warning, w.where.line, w.where.column, w.where.endColumn, text, text, w.notes};
}

// The offsets of the tabs the assembler would meet where it reads separators: those
// outside string constants (a doubled quote inside one leaves it open).
std::vector<size_t> separatorTabs(TextView text) {
    std::vector<size_t> tabs;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') inString = false;
        else if (c == u'\'') inString = !inString;
        else if (c == u'\t' && !inString) tabs.push_back(i);
    }
    return tabs;
}

// One warning per line with such tabs, from its first tab to its last.
void appendTabWarnings(TextView text, std::vector<Problem>& problems) {
    const std::vector<int32_t> starts = lineStarts(text);
    const size_t before = problems.size();
    for (const size_t tab : separatorTabs(text)) {
        const auto at = static_cast<int32_t>(tab);
        const SourceSpan span = spanOf(starts, at, at + 1);
        if (problems.size() > before && problems.back().line == span.line) {
            problems.back().endColumn = span.endColumn;
            continue;
        }
        const Text warning = fromUtf8(message(Msg::TabWarning));
        problems.push_back({ProblemKind::Warning, span.line, span.column, span.endColumn, warning, warning, {}});
    }
}

constexpr std::array<Msg, 4> kProblemKindNames{Msg::KindError, Msg::KindUndefinedName, Msg::KindWarning, Msg::KindRun};

Text counted(size_t n, Msg one, Msg many) {
    return fromUtf8(n == 1 ? message(one) : message(many, {std::to_string(n)}));
}

}  // namespace

void collectProblems(Workbench& wb) {
    auto& problems = wb.marks.problems;
    problems.clear();
    for (const Diagnostic& d : wb.diagnostics) problems.push_back(problemOf(d));
    appendTabWarnings(wb.text1.text, problems);
    for (const Warning& w : wb.warnings) problems.push_back(problemOf(w));
    followAssembledLines(wb);
}

std::vector<Problem> problemRows(const Workbench& wb) {
    std::vector<Problem> rows;
    std::vector<Problem> found = wb.marks.problems;
    for (Problem& p : runProblems(wb)) found.push_back(std::move(p));
    for (const Problem& p : found) {
        const int32_t now = currentLine(wb, p.line);
        if (p.line != 0 && now == 0) continue;
        rows.push_back(p);
        rows.back().line = now;
    }
    return rows;
}

Text problemSummary(const Workbench& wb) {
    if (wb.marks.lineNow.empty()) return {};
    std::array<size_t, 4> counts{};
    for (const Problem& p : problemRows(wb)) ++counts[static_cast<size_t>(p.kind)];
    const std::array<Text, 4> parts{counted(counts[0], Msg::CountOneError, Msg::CountErrors),
                                    counted(counts[1], Msg::CountOneUndefinedName, Msg::CountUndefinedNames),
                                    counted(counts[2], Msg::CountOneWarning, Msg::CountWarnings),
                                    counted(counts[3], Msg::CountOneRunProblem, Msg::CountRunProblems)};
    Text summary;
    for (size_t k = 0; k < parts.size(); ++k) {
        if (counts[k] == 0) continue;
        if (!summary.empty()) summary += u", ";
        summary += parts[k];
    }
    return summary.empty() ? fromUtf8(message(Msg::NoProblems)) : summary;
}

Text problemRowText(const Problem& p) {
    const Text what = fromUtf8(message(kProblemKindNames[static_cast<size_t>(p.kind)])) + u": " + p.text;
    if (p.line == 0) return what;
    return fromAscii(std::to_string(p.line) + ':' + std::to_string(p.column)) + u"  " + what;
}

Text problemTip(const Problem& p) {
    Text tip = p.tip;
    for (const Note& n : p.notes) tip += u"\r\n" + fromUtf8(noteText(n));
    return tip;
}

std::pair<int32_t, int32_t> underlinedColumns(const Problem& p, int32_t lineLength) {
    const int32_t begin = std::clamp(p.column - 1, 0, lineLength);
    const int32_t end = std::clamp(p.endColumn - 1, begin, lineLength);
    if (end == begin) return {0, lineLength};
    return {begin, end};
}

void userGoesToProblem(Workbench& wb, size_t row) {
    const std::vector<Problem> rows = problemRows(wb);
    if (row >= rows.size() || rows[row].line == 0) return;
    const std::vector<int32_t> starts = lineStarts(wb.text1.text);
    const auto line = static_cast<size_t>(rows[row].line - 1);
    if (line >= starts.size()) return;
    const int32_t end = lineContentEnd(wb.text1.text, starts, line);
    wb.text1.selStart = std::min(starts[line] + rows[row].column - 1, end);
    wb.text1.selLength = 0;
    wb.display().focusText1();
}

// Each tab becomes the blanks that reach its tab stop, so that the line looks as it did;
// the selection stays on the characters it covered.
void replaceTabsByBlanks(Workbench& wb) {
    Editor& e = wb.text1;
    const Text before = e.text;
    const std::vector<size_t> tabs = separatorTabs(before);
    if (tabs.empty()) return;
    Text after;
    after.reserve(before.size() + tabs.size() * (kTabColumns - 1));
    const auto selStart = static_cast<size_t>(e.selStart);
    const size_t selEnd = selStart + static_cast<size_t>(e.selLength);
    size_t newStart = selStart;
    size_t newEnd = selEnd;
    size_t lineStart = 0;
    auto next = tabs.begin();
    for (size_t i = 0; i < before.size(); ++i) {
        if (next == tabs.end() || *next != i) {
            after += before[i];
            if (before[i] == u'\r' || before[i] == u'\n') lineStart = after.size();
            continue;
        }
        ++next;
        const size_t blanks = kTabColumns - (after.size() - lineStart) % kTabColumns;
        after.append(blanks, u' ');
        if (i < selStart) newStart += blanks - 1;
        if (i < selEnd) newEnd += blanks - 1;
    }
    e.text = std::move(after);
    e.selStart = static_cast<int32_t>(newStart);
    e.selLength = static_cast<int32_t>(newEnd - newStart);
    followEdit(wb, before);
}

}  // namespace comet
