// Help on the reserved words: one for each word of the instruction table, in both
// languages, and an effect on FR that is the engine's own.
#include <gtest/gtest.h>

#include <string>

#include "emulator/engine.hpp"
#include "session/headless.hpp"
#include "session/instruction_help.hpp"
#include "session/language.hpp"
#include "workbench/messages.hpp"

namespace comet {
namespace {

// Each test leaves the language as it found it.
struct InLanguage {
    explicit InLanguage(Language language) : before(currentLanguage()) { setLanguage(language); }
    ~InLanguage() { setLanguage(before); }
    Language before;
};

InstructionHelp helpOn(const ReservedWord& r) {
    const auto help = instructionHelp(fromAscii(r.name));
    if (!help) ADD_FAILURE() << r.name << " has no help";
    return help.value_or(InstructionHelp{});
}

TEST(InstructionHelp, EveryReservedWordHasItInBothLanguages) {
    for (const ReservedWord& r : kReservedWords) {
        InstructionHelp english, japanese;
        {
            const InLanguage en(Language::English);
            english = helpOn(r);
        }
        {
            const InLanguage ja(Language::Japanese);
            japanese = helpOn(r);
        }
        const Text name = fromAscii(r.name);
        for (const InstructionHelp* help : {&english, &japanese}) {
            EXPECT_TRUE(help->title.starts_with(name)) << r.name;
            EXPECT_FALSE(help->meaning.empty()) << r.name;
            EXPECT_EQ(help->flags.empty(), !isOperation(r.cls)) << r.name << ": FR is told for every instruction alone";
        }
        EXPECT_NE(english.meaning, japanese.meaning) << r.name;
        EXPECT_NE(english.title, japanese.title) << r.name;
        EXPECT_EQ(english.form, japanese.form) << r.name << ": CASL reads the same in both";
        EXPECT_EQ(english.example, japanese.example) << r.name;
        if (r.cls == OpClass::REG) continue;
        EXPECT_TRUE(english.form.starts_with(name) && english.form.ends_with(fromAscii(operandNotation(r.cls)))) << r.name;
        const ProgramOutline example = outlineOf(english.example);
        ASSERT_EQ(example.lines.size(), 1u) << r.name;
        ASSERT_TRUE(example.lines[0].operation) << r.name;
        EXPECT_EQ(example.lines[0].operation->text, name) << r.name << ": the example uses the word";
    }
}

TEST(InstructionHelp, FoundWithoutRegardToCaseAndOnlyForReservedWords) {
    EXPECT_EQ(instructionHelp(u"lea")->title, instructionHelp(u"LEA")->title);
    EXPECT_EQ(instructionHelp(u"Gr4")->meaning, instructionHelp(u"GR4")->meaning);
    for (const char16_t* word : {u"LOOP", u"LDX", u"GR5", u"", u"L D"}) EXPECT_FALSE(instructionHelp(word)) << toUtf8(word);
}

TEST(InstructionHelp, LinesComeTitleMeaningFormFlagsExample) {
    const InLanguage en(Language::English);
    const InstructionHelp ld = *instructionHelp(u"LD");
    EXPECT_EQ(helpLines(ld), ld.title + u"\r\n" + ld.meaning + u"\r\nForm: LD r,adr[,x]\r\n" + ld.flags +
                                 u"\r\nExample: LD GR1,DATA");
    EXPECT_EQ(ld.title, u"LD: instruction, opcode #10, 2 words");
    EXPECT_EQ(instructionHelp(u"RET")->title, u"RET: instruction, opcode #07, 1 word");
    const InstructionHelp gr0 = *instructionHelp(u"GR0");
    EXPECT_EQ(helpLines(gr0), gr0.title + u"\r\n" + gr0.meaning) << "a register has no form, FR or example";
}

TEST(InstructionHelp, AtAPlaceOfALineOnlyOnAReservedWordUpToItsEnd) {
    const Text line = u"LOOP  add   gr1,ONE   /* LD in a comment";
    struct Case {
        int32_t column;
        const char16_t* word;  // nullptr: no help there
    };
    for (const Case c : {Case{0, nullptr}, Case{4, nullptr}, Case{6, u"ADD"}, Case{9, u"ADD"}, Case{10, nullptr},
                         Case{12, u"GR1"}, Case{15, u"GR1"}, Case{16, nullptr}, Case{25, nullptr}, Case{99, nullptr}}) {
        const auto help = helpAt(line, c.column);
        EXPECT_EQ(help, c.word ? std::optional<Text>(helpLines(*instructionHelp(c.word))) : std::nullopt) << c.column;
    }
}

// ---- The effect on FR, as the engine shows it ----

constexpr int32_t kNoFlagValue = 0x1234;  // a value of FR that no instruction sets
constexpr int32_t kOperandAddress = 10;

// One step of the instruction `r` (register GR1, operand word 5 at address 10, GR1 = 5,
// the stack at 100) with FR holding `fr` before it.
Workbench& stepped(Workbench& wb, const ReservedWord& r, int32_t fr) {
    const bool oneWord = r.words == 1;
    wb.memory.writableCell(1).value = oneWord ? (r.code == op::RET ? kRetWord : kExitWord) : r.code * 256 + 0x10;
    wb.memory.writableCell(2).value = kOperandAddress;
    wb.memory.writableCell(kOperandAddress + 1).value = 5;
    wb.regs.r = {0, 5, 0, 0, 100, fr};
    wb.run.pc = 0;
    wb.run.nextPc = 2;
    emStep(wb);
    return wb;
}

Msg effectSeen(const ReservedWord& r) {
    HeadlessDisplay display;
    Workbench zero{display}, minus{display}, none{display};
    if (stepped(zero, r, kFRZero).run.nextPc != stepped(minus, r, kFRMinus).run.nextPc) return Msg::HelpFrTested;
    const RegisterFile& after = stepped(none, r, kNoFlagValue).regs;
    if (after.r[kRegFR] == kNoFlagValue) return Msg::HelpFrUnchanged;
    if (after.r[kRegFR] == frOf(after.r[1])) return Msg::HelpFrFromResult;
    return Msg::HelpFrCompare;
}

TEST(InstructionHelp, TellsTheEffectOnFRTheEngineHas) {
    for (const ReservedWord& r : kReservedWords) {
        if (!isOperation(r.cls) || r.cls == OpClass::MC0) continue;  // IN and OUT change no register
        EXPECT_EQ(helpOn(r).flags, messageText(effectSeen(r))) << r.name;
    }
}

}  // namespace
}  // namespace comet
