#include "session/instruction_help.hpp"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "assembler/colouring.hpp"
#include "assembler/table.hpp"
#include "machine/hex.hpp"
#include "machine/machine.hpp"
#include "workbench/messages.hpp"

namespace comet {
namespace {

// What an instruction does to FR: the kinds the engine knows, each told once.
enum class FrEffect : uint8_t { None, Unchanged, FromResult, Compare, Tested };

// The text of each effect but None, in the order of FrEffect.
constexpr std::array<Msg, 4> kFrTexts{Msg::HelpFrUnchanged, Msg::HelpFrFromResult, Msg::HelpFrCompare, Msg::HelpFrTested};

// Beside each row of the instruction table: its meaning, its effect on FR and a line using it.
struct HelpRow {
    std::string_view name;
    Msg meaning;
    FrEffect flags;
    std::string_view example;
};

using enum FrEffect;
constexpr std::array<HelpRow, kReservedWords.size()> kHelp{{
    {"LD", Msg::HelpLd, Unchanged, "LD GR1,DATA"},
    {"ST", Msg::HelpSt, Unchanged, "ST GR1,RESULT"},
    {"LEA", Msg::HelpLea, FromResult, "LEA GR1,1,GR1"},
    {"ADD", Msg::HelpAdd, FromResult, "ADD GR1,ONE"},
    {"SUB", Msg::HelpSub, FromResult, "SUB GR0,COUNTER"},
    {"AND", Msg::HelpAnd, FromResult, "AND GR1,MASK"},
    {"OR", Msg::HelpOr, FromResult, "OR GR1,BITS"},
    {"EOR", Msg::HelpEor, FromResult, "EOR GR1,MASK"},
    {"CPA", Msg::HelpCpa, Compare, "CPA GR1,LIMIT"},
    {"CPL", Msg::HelpCpl, Compare, "CPL GR1,LIMIT"},
    {"SLA", Msg::HelpSla, FromResult, "SLA GR1,TWO"},
    {"SRA", Msg::HelpSra, FromResult, "SRA GR1,TWO"},
    {"SLL", Msg::HelpSll, FromResult, "SLL GR1,EIGHT"},
    {"SRL", Msg::HelpSrl, FromResult, "SRL GR1,EIGHT"},
    {"JPZ", Msg::HelpJpz, Tested, "JPZ PLUS"},
    {"JMI", Msg::HelpJmi, Tested, "JMI MINUS"},
    {"JNZ", Msg::HelpJnz, Tested, "JNZ LOOP"},
    {"JZE", Msg::HelpJze, Tested, "JZE DONE"},
    {"JMP", Msg::HelpJmp, Unchanged, "JMP LOOP"},
    {"PUSH", Msg::HelpPush, Unchanged, "PUSH 0,GR1"},
    {"POP", Msg::HelpPop, Unchanged, "POP GR1"},
    {"CALL", Msg::HelpCall, Unchanged, "CALL PRINT"},
    {"RET", Msg::HelpRet, Unchanged, "RET"},
    {"IN", Msg::HelpIn, Unchanged, "IN BUF,LEN"},
    {"OUT", Msg::HelpOut, Unchanged, "OUT MSG,LEN"},
    {"EXIT", Msg::HelpExit, Unchanged, "EXIT"},
    {"START", Msg::HelpStart, None, "PGM START"},
    {"END", Msg::HelpEnd, None, "END"},
    {"DS", Msg::HelpDs, None, "BUF DS 10"},
    {"DC", Msg::HelpDc, None, "MSG DC 'HELLO'"},
    {"GR0", Msg::HelpGr0, None, ""},
    {"GR1", Msg::HelpGr, None, ""},
    {"GR2", Msg::HelpGr, None, ""},
    {"GR3", Msg::HelpGr, None, ""},
    {"GR4", Msg::HelpGr4, None, ""},
}};

constexpr bool besideTheTable() {
    for (size_t i = 0; i < kHelp.size(); ++i)
        if (kHelp[i].name != kReservedWords[i].name || (kHelp[i].flags == None) == isOperation(kReservedWords[i].cls))
            return false;
    return true;
}
static_assert(besideTheTable(), "a help row for each reserved word, in the table's order, FR told for each instruction");

Text titleOf(const ReservedWord& r) {
    const std::string name(r.name);
    if (r.cls == OpClass::REG) return messageText(Msg::HelpRegister, {name});
    if (!isOperation(r.cls)) return messageText(Msg::HelpDirective, {name});
    const std::string opcode = toUtf8(cnvHex4(r.code).substr(2));
    if (r.words == 1) return messageText(Msg::HelpOperationOneWord, {name, opcode});
    return messageText(Msg::HelpOperation, {name, opcode, std::to_string(r.words)});
}

Text formOf(const ReservedWord& r) {
    if (r.cls == OpClass::REG) return {};
    const std::string_view notation = operandNotation(r.cls);
    return fromAscii(notation.empty() ? std::string(r.name) : std::string(r.name) + ' ' + std::string(notation));
}

}  // namespace

std::optional<InstructionHelp> instructionHelp(TextView word) {
    const ReservedWord* r = reservedWordNamed(word);
    if (r == nullptr) return std::nullopt;
    const HelpRow& row = kHelp[static_cast<size_t>(r - kReservedWords.data())];
    InstructionHelp help{titleOf(*r), messageText(row.meaning), formOf(*r), {}, fromAscii(row.example)};
    if (row.flags != None) help.flags = messageText(kFrTexts[static_cast<size_t>(row.flags) - 1]);
    return help;
}

Text helpLines(const InstructionHelp& help) {
    Text text = help.title + u"\r\n" + help.meaning;
    if (!help.form.empty()) text += u"\r\n" + messageText(Msg::HelpForm, {toUtf8(help.form)});
    if (!help.flags.empty()) text += u"\r\n" + help.flags;
    if (!help.example.empty()) text += u"\r\n" + messageText(Msg::HelpExample, {toUtf8(help.example)});
    return text;
}

std::optional<Text> helpAt(TextView line, int32_t column) {
    for (const ColouredSpan& span : colouredSpans(line)) {
        if (span.kind != SpanKind::Mnemonic && span.kind != SpanKind::Register) continue;
        if (column < span.begin || column > span.end) continue;
        const auto help = instructionHelp(line.substr(static_cast<size_t>(span.begin), static_cast<size_t>(span.end - span.begin)));
        if (help) return helpLines(*help);
    }
    return std::nullopt;
}

}  // namespace comet
