#include "invariants.hpp"

#include <cstdio>
#include <cstdlib>

#include "workbench/editor_text.hpp"
#include "workbench/lists.hpp"
#include "workbench/registers.hpp"

namespace comet::fuzz {
namespace {

bool isUpperHex(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'); }

// Value of four upper-case hexadecimal digits at s[at], or -1.
int hex4At(const Text& s, size_t at) {
    if (s.size() < at + 4) return -1;
    int v = 0;
    for (size_t i = at; i < at + 4; ++i) {
        if (!isUpperHex(s[i])) return -1;
        v = v * 16 + (s[i] <= u'9' ? s[i] - u'0' : s[i] - u'A' + 10);
    }
    return v;
}

// Words listed on one line "AAAA:  W  V " or "AAAA:  W W W ", or -1 when malformed.
int wordsOnLine(const Text& line) {
    if (line.size() < 12 || line.compare(4, 3, u":  ") != 0 || line.back() != u' ') return -1;
    int words = 0;
    size_t i = 7;
    while (i < line.size()) {
        if (hex4At(line, i) < 0 || i + 4 >= line.size() || line[i + 4] != u' ') return -1;
        ++words;
        i += 5;
        if (i < line.size() && line[i] == u' ') ++i;  // an instruction's two blanks
    }
    return words;
}

std::string at(size_t i) { return " (line " + std::to_string(i) + ")"; }

}  // namespace

std::string checkAssembly(const Workbench& wb) {
    if (wb.locationCounter < 0 || wb.locationCounter > kAddressCount) return "location counter out of range";
    int32_t next = 0;
    const auto& lines = wb.list1.lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (hex4At(lines[i], 0) != next) return "listing address out of order" + at(i);
        const int words = wordsOnLine(lines[i]);
        if (words <= 0) return "malformed listing line" + at(i);
        next += words;
    }
    if (next != wb.locationCounter) return "listing does not account for the location counter";
    return {};
}

std::string checkDisplay(const Workbench& wb) {
    if (wb.run.history.text().size() > kHistoryLimit) return "history over 5000 characters";
    const auto dump = dumpLines(wb);
    if (static_cast<int32_t>(dump.size()) != wb.locationCounter) return "dump line count differs from the location counter";
    for (size_t i = 0; i < dump.size(); ++i) {
        if (dump[i].size() != 15 || hex4At(dump[i], 0) != static_cast<int>(i) || dump[i].compare(4, 2, u": ") != 0 ||
            hex4At(dump[i], 6) < 0 || dump[i].compare(10, 3, u"   ") != 0)
            return "malformed dump line" + at(i);
    }
    const int sel = wb.list1.selected;
    if (sel < -1 || sel >= static_cast<int>(wb.list1.lines.size())) return "listing selection out of range";
    // The lines followed since the last ASM through the edits keep their order and exist.
    const auto lineCount = static_cast<int32_t>(lineStarts(wb.text1.text).size());
    int32_t last = 0;
    for (const int32_t line : wb.marks.lineNow) {
        if (line == 0) continue;
        if (line <= last || line > lineCount) return "a followed line out of order or beyond the text";
        last = line;
    }
    return {};
}

std::string checkRefreshed(const Workbench& wb) {
    for (int k = 0; k < kBoxCount; ++k) {
        const int32_t reg = k == kPcBox ? wb.regs.pc : wb.regs.r[static_cast<size_t>(k)];
        if (wb.txtGR[static_cast<size_t>(k)] != cnvHex4(reg)) return "box " + std::to_string(k) + " does not show its register";
    }
    const auto& lines = wb.list1.lines;
    int pcLine = -1;
    for (size_t i = 0; i < lines.size() && pcLine < 0; ++i)
        if (lines[i].starts_with(wb.txtGR[kPcBox])) pcLine = static_cast<int>(i);
    if (wb.list1.selected != pcLine) return "listing selection is not the PC line";
    return {};
}

std::vector<Text> dumpLines(const Workbench& wb) {
    std::vector<Text> lines;
    for (int32_t i = 0; i < dumpLineCount(wb); ++i) lines.push_back(dumpLineText(wb, i));
    return lines;
}

void require(const std::string& problem) {
    if (problem.empty()) return;
    std::fprintf(stderr, "invariant broken: %s\n", problem.c_str());
    std::abort();
}

}  // namespace comet::fuzz
