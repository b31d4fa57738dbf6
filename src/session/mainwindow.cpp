#include "session/mainwindow.hpp"

#include <algorithm>
#include <utility>

#include "assembler/passes.hpp"
#include "emulator/engine.hpp"
#include "session/assembled_lines.hpp"
#include "session/exec_status.hpp"
#include "session/instruction_help.hpp"
#include "session/problems.hpp"
#include "session/source_lines.hpp"
#include "workbench/lists.hpp"
#include "workbench/registers.hpp"

namespace comet {

const std::array<Text, 35> kChooserItems{
    u"LD     Load",
    u"ST     Store",
    u"LEA    Load Effective Address",
    u"ADD    Add",
    u"SUB    Sub",
    u"AND    And",
    u"OR     Or",
    u"EOR    Exclusive Or",
    u"CPA    Arithmetical Compare",
    u"CPL    Logical Compare",
    u"SLA    Arithmetical Shift Left",
    u"SRA    Arithmetical Shift right",
    u"SLL    Logical Shift Left",
    u"SRL    Logical Shift Right",
    u"JPZ    Jump Plus and Zero",
    u"JMI    Jump Minus",
    u"JNZ    Jump Not Zero",
    u"JZE    Jump Zero",
    u"JMP    Jump",
    u"PUSH   Push",
    u"POP    Pop",
    u"CALL   Call",
    u"RET    Return",
    u"IN     Input I/O Port(CASL Standard Input)",
    u"OUT    Output I/O Port(CASL Standard Output)",
    u"EXIT   Exit(Supervisor Call)",
    u"START  CASL Program Start",
    u"END    CASL Program End",
    u"DS     Define Strage",
    u"DC     Define Constant",
    u"GR0    Register 0",
    u"GR1    Register 1",
    u"GR2    Register 2",
    u"GR3    Register 3",
    u"GR4    Register 4",
};

namespace {

constexpr size_t kWordColumns = 5;  // a chooser item's word lies in its first five characters
constexpr size_t kWordWidth = 6;    // mnemonics are inserted padded to six characters

TextView trimBlanks(TextView s) {
    while (!s.empty() && s.front() == u' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == u' ') s.remove_suffix(1);
    return s;
}

// The word an item inserts: registers as they are, anything else padded to six columns.
Text insertedWord(const Text& item) {
    Text w(trimBlanks(TextView(item).substr(0, kWordColumns)));
    if (w.starts_with(u"GR")) return w;
    w.resize(kWordWidth, u' ');
    return w;
}

int32_t textLength(const Workbench& wb) { return static_cast<int32_t>(wb.text1.text.size()); }

// True when position p lies between the high and the low half of a surrogate pair.
bool splitsSurrogatePair(const Text& text, int32_t p) {
    const auto i = static_cast<size_t>(p);
    return i > 0 && i < text.size() && text[i - 1] >= 0xD800 && text[i - 1] <= 0xDBFF && text[i] >= 0xDC00 &&
           text[i] <= 0xDFFF;
}

}  // namespace

void Form_Load(Workbench& wb) {
    wb.text1 = {kSampleProgram, 0, 0};
    wb.run.history.clear();
    Label3_Click(wb);
    wb.run.pc = 0;
    wb.combo1.filling = true;
    wb.combo1.items.assign(kChooserItems.begin(), kChooserItems.end());
    wb.combo1.selected = 0;
    Combo1_Click(wb);
    wb.combo1.filling = false;
}

void Command1_Click(Workbench& wb) {
    SynANA(wb);
    semANA(wb);
    DumpMem(wb);
    collectProblems(wb);
    forgetPresses(wb);
    debuggingAfterAssembly(wb);
}

Text chooserItemHelp(const Text& item) {
    const auto help = instructionHelp(trimBlanks(TextView(item).substr(0, kWordColumns)));
    return help ? helpLines(*help) : Text{};
}

void Combo1_Click(Workbench& wb) {
    if (wb.combo1.filling || wb.combo1.selected < 0) return;
    const Text w = insertedWord(wb.combo1.items[static_cast<size_t>(wb.combo1.selected)]);
    Editor& e = wb.text1;
    const Text before = e.text;
    const size_t s = std::min(static_cast<size_t>(e.selStart), e.text.size());
    e.text.replace(s, static_cast<size_t>(e.selLength), w);
    e.selStart = static_cast<int32_t>(s + w.size());
    e.selLength = 0;
    followEdit(wb, before);
    wb.display().makeText1FirstInTabOrder();
}

void Combo1_LostFocus(Workbench& wb) { wb.display().focusText1(); }

void userEditsBox(Workbench& wb, int k, const Text& text) {
    if (!wb.debug.press.active) setBoxText(wb, k, text);  // the boxes are the run's while it watches one
}

void userChoosesItem(Workbench& wb, int index) {
    wb.combo1.selected = index;
    Combo1_Click(wb);
}

void userSetsSource(Workbench& wb, const Text& text) {
    // A text widget given a whole new text puts its caret at the start.
    const Text before = std::exchange(wb.text1.text, text);
    wb.text1.selStart = wb.text1.selLength = 0;
    followEdit(wb, before);
}

bool userSelects(Workbench& wb, int64_t start, int64_t length) {
    // As a text widget does: the start is kept within the text, the selection ends at its
    // end, and neither end falls between the two halves of a character beyond U+FFFF (a
    // word inserted there would leave two halves that are no characters at all): the
    // selection widens to the whole character, a caret moves before it.
    int32_t s = static_cast<int32_t>(std::clamp<int64_t>(start, 0, textLength(wb)));
    int32_t end = s + static_cast<int32_t>(std::clamp<int64_t>(length, 0, textLength(wb) - s));
    const bool caret = end == s;
    if (splitsSurrogatePair(wb.text1.text, s)) --s;
    if (caret) end = s;
    else if (splitsSurrogatePair(wb.text1.text, end)) ++end;
    wb.text1.selStart = s;
    wb.text1.selLength = end - s;
    return s == start && end - s == length;
}

}  // namespace comet
