// What an editor asks of a program's text: its labels and their uses, help on a word and
// the text aligned in columns without a word assembled changed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/source_file.hpp"
#include "session/actions.hpp"
#include "session/language.hpp"

namespace comet {
namespace {

namespace fs = std::filesystem;

const Text kProgram =
    u"/* counts to ten\n"
    u"COUNT START\n"
    u"  LEA GR4,STACK\n"
    u"loop  Add GR1,ONE /* LOOP in a comment\n"
    u"  CPA GR1,TEN\n"
    u"  JMI LOOP\n"
    u"  EXIT\n"
    u"ONE DC 1\n"
    u"TEN DC 10\n"
    u"NAME DC 'LOOP, TEN'\n"
    u"STACK\n"
    u" END\n";

std::vector<Text> textsOf(const std::vector<SourceWord>& words) {
    std::vector<Text> texts;
    for (const SourceWord& w : words) texts.push_back(w.text + u"@" + fromAscii(std::to_string(w.line) + ":" + std::to_string(w.column)));
    return texts;
}

TEST(Outline, FindsLabelsAndTheWordsThatNameThemOutsideStringsAndComments) {
    const ProgramOutline outline = outlineOf(kProgram);
    EXPECT_EQ(textsOf(outline.labels), (std::vector<Text>{u"COUNT@1:0", u"loop@3:0", u"ONE@7:0", u"TEN@8:0", u"NAME@9:0", u"STACK@10:0"}));
    EXPECT_EQ(textsOf(outline.references), (std::vector<Text>{u"STACK@2:10", u"ONE@3:14", u"TEN@4:10", u"LOOP@5:6"}));
    EXPECT_EQ(textsOf(placesOfLabel(outline, u"LOOP", true)), (std::vector<Text>{u"loop@3:0", u"LOOP@5:6"}));
    EXPECT_EQ(textsOf(placesOfLabel(outline, u"Loop", false)), (std::vector<Text>{u"LOOP@5:6"}));
}

TEST(Outline, FindsTheWordUnderTheCursorUpToItsEnd) {
    const ProgramOutline outline = outlineOf(kProgram);
    struct Case {
        int32_t line, column;
        const char16_t* word;  // nullptr: none
    };
    for (const Case c : {Case{3, 0, u"loop"}, Case{3, 4, u"loop"}, Case{3, 6, u"Add"}, Case{3, 10, u"GR1"},
                         Case{3, 14, u"ONE"}, Case{3, 20, nullptr}, Case{0, 3, nullptr}, Case{99, 0, nullptr}}) {
        const SourceWord* w = wordAt(outline, c.line, c.column);
        EXPECT_EQ(w ? w->text : Text(u"(none)"), c.word ? Text(c.word) : Text(u"(none)")) << c.line << ":" << c.column;
    }
}

TEST(Hover, TellsALabelsAddressAndLineAndAnInstructionsForm) {
    const ProgramOutline outline = outlineOf(kProgram);
    SilentDisplay display;
    Workbench wb(display);
    startWorkbench(wb);
    assembleText(wb, u"COUNT START\r\n  LEA GR4,STACK\r\nloop  Add GR1,ONE\r\n  EXIT\r\nONE DC 1\r\nSTACK\r\n END\r\n");
    EXPECT_EQ(hoverText(outline, wb, *wordAt(outline, 5, 7)), u"**LOOP** at address #0002 (2), defined on line 4");
    EXPECT_EQ(hoverText(outline, wb, *wordAt(outline, 4, 10)), u"**TEN**, defined on line 9") << "not assembled: no address";
    EXPECT_EQ(hoverText(outline, wb, *wordAt(outline, 5, 2)),
              u"**JMI: instruction, opcode #03, 2 words**\n\nJumps to the address when the last result was minus (FR is 8000)."
              u"\n\nForm: `JMI adr[,x]`\n\nFR decides whether it jumps, and is left unchanged.\n\nExample: `JMI MINUS`");
}

TEST(Completion, OffersEveryReservedWordThenEachLabelOnce) {
    const auto items = completions(outlineOf(u"A DC 1\nA DC 2\nB DS 1\n"));
    ASSERT_EQ(items.size(), kReservedWords.size() + 2);
    EXPECT_EQ(items[0].label, u"LD");
    EXPECT_EQ(items[0].detail, u"r,adr[,x]");
    EXPECT_EQ(items[kReservedWords.size()].label, u"A");
    EXPECT_EQ(items[kReservedWords.size() + 1].detail, u"line 3");
}

TEST(Formatting, AlignsLabelsOperationsAndOperandsKeepingEverythingElse) {
    const Text source = u"/* head\r\nMAIN START\r\n  LD GR1,X /* x\r\nLONGERLABEL\tADD GR1,X\r\nLOOPING JMP   MAIN\r\nX DC 'A  B'\r\nEND1\r\n END";
    const auto formatted = formattedSource(source);
    ASSERT_TRUE(formatted);
    EXPECT_EQ(*formatted,
              u"/* head\r\n"
              u"MAIN    START\r\n"
              u"        LD     GR1,X /* x\r\n"
              u"LONGERLABEL\tADD GR1,X\r\n"
              u"LOOPING JMP    MAIN\r\n"
              u"X       DC     'A  B'\r\n"
              u"END1\r\n"
              u"        END");
    EXPECT_FALSE(formattedSource(*formatted)) << "an aligned text is left as it is";
}

// Every program the tests keep, aligned, assembles to the same words and messages.
TEST(Formatting, ChangesNoWordOfAnyProgramItAligns) {
    int aligned = 0;
    for (const auto& entry : fs::recursive_directory_iterator(COMET_TEST_DIR)) {
        if (entry.path().extension() != ".casl") continue;
        const auto file = readSourceFile(entry.path().string());
        if (!std::holds_alternative<SourceFile>(file)) continue;
        const Text& source = std::get<SourceFile>(file).text;
        const auto formatted = formattedSource(source);
        if (!formatted) continue;
        ++aligned;
        SilentDisplay display;
        Workbench before(display), after(display);
        startWorkbench(before);
        startWorkbench(after);
        assembleText(before, source);
        assembleText(after, *formatted);
        for (int c = 0; c < kCellCount; ++c)
            ASSERT_EQ(before.memory.cell(c).value, after.memory.cell(c).value) << entry.path() << " cell " << c;
        EXPECT_EQ(before.diagnostics.size(), after.diagnostics.size()) << entry.path();
    }
    EXPECT_GT(aligned, 10);
}

}  // namespace
}  // namespace comet
