// The COMET machine as this workbench implements it: words, memory, registers,
// the flag values and the one instruction table that the assembler, the engine
// and the listing all read.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

namespace comet {

// ---- Memory ---------------------------------------------------------------

struct Cell {
    int16_t tag = 0;    // the assembler's mark on the word; the engine never reads it
    int32_t value = 0;  // the word itself, normally a signed 16-bit value
};

constexpr int kCellCount = 201;    // cells 0..200; machine address a lives in cell a + 1
constexpr int kAddressCount = 200; // machine addresses 0..199

// The cells, with a note of which were written since the memory dump last looked,
// so that the dump copies only those, and of each cell written since a trace of the
// run last looked, so that it can tell a step's writes (a word written with the value
// it held included).
class Memory {
public:
    const Cell& cell(int64_t c) const { return cells_[static_cast<size_t>(c)]; }
    Cell& writableCell(int64_t c) {
        changedLo_ = std::min(changedLo_, static_cast<int>(c));
        changedHi_ = std::max(changedHi_, static_cast<int>(c) + 1);
        written_[static_cast<size_t>(c)] = true;
        return cells_[static_cast<size_t>(c)];
    }
    // Cells written since the last call.
    std::array<bool, kCellCount> takeWritten() {
        const auto written = written_;
        written_.fill(false);
        return written;
    }
    // Cells written since the last call: [first, last); empty when first >= last.
    std::pair<int, int> takeChanges() {
        const std::pair<int, int> range{changedLo_, changedHi_};
        changedLo_ = kCellCount;
        changedHi_ = 0;
        return range;
    }

private:
    std::array<Cell, kCellCount> cells_{};  // cell 0 stands for address -1 (reached only by the stack)
    int changedLo_ = 0;                     // everything counts as written at first
    int changedHi_ = kCellCount;
    // For the trace: the cells written since it last looked, a byte each so that a write costs one store.
    std::array<bool, kCellCount> written_{};
};

// True when machine address a has a cell (0..199).
constexpr bool isProgramAddress(int64_t a) { return a >= 0 && a < kAddressCount; }
// True when cell c exists (0..200).
constexpr bool isCell(int64_t c) { return c >= 0 && c < kCellCount; }

// ---- Registers ------------------------------------------------------------

constexpr int kRegFR = 5;  // register number 5 names FR in register and index fields

// The registers' names by register number: GR0..GR4, then FR.
inline constexpr std::array<std::string_view, 6> kRegisterNames{"GR0", "GR1", "GR2", "GR3", "GR4", "FR"};

struct RegisterFile {
    std::array<int32_t, 6> r{};  // GR0..GR4 (GR4 is the stack pointer) and FR, by register number
    int32_t pc = 0;              // the program counter the PC box shows
};

// FR values after any instruction that sets it.
constexpr int32_t kFRZero = 16384;
constexpr int32_t kFRMinus = -32768;
constexpr int32_t kFRPlus = 0;

// ---- Words and bytes ------------------------------------------------------

// Upper (selector != 0) or lower byte of a word as 0..255: for every value from
// -32768 to 65535 these are bits 15..8 and 7..0 of its 16-bit pattern.
constexpr int16_t wordByte(int32_t value, int selector) {
    const auto bits = static_cast<uint32_t>(value);
    if (selector == 0) return static_cast<int16_t>(bits & 0xFFu);
    if ((bits & 0xFFFF8000u) != 0) return static_cast<int16_t>(((bits & 0x7F00u) >> 8) | 0x80u);
    return static_cast<int16_t>(bits >> 8);
}

// The signed 16-bit value of a word's low 16 bits.
constexpr int32_t signed16(int64_t v) {
    const auto low = static_cast<uint16_t>(static_cast<uint64_t>(v) & 0xFFFFu);
    return low >= 0x8000u ? static_cast<int32_t>(low) - 0x10000 : static_cast<int32_t>(low);
}

// 32-bit two's-complement wrap-around of a wider result.
constexpr int32_t wrap32(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v))); }

// Two single-byte codes packed into one word (first in the upper byte), as a signed 16-bit value.
constexpr int32_t packBytes(int high, int low) { return signed16(((high & 0xFF) << 8) | (low & 0xFF)); }

// ---- Instruction table ----------------------------------------------------

// Operand and expansion class of a reserved word; None is no class at all, a user's name.
enum class OpClass { None, CM0, CM1, CM2, CM3, MC0, MC1, PS0, PS1, PS2, PS3, REG };

std::string_view className(OpClass c);  // "CM0" .. "REG", and "" for None
// How a class's operands are written, in the notation of every CASL text ("r,adr[,x]"):
// the same in every language; "" for a class that takes none.
std::string_view operandNotation(OpClass c);

// True for the classes that are machine operations (not directives, registers or names).
constexpr bool isOperation(OpClass c) { return c >= OpClass::CM0 && c <= OpClass::MC1; }

// Opcodes of the machine's operations.
namespace op {
constexpr int EXIT = 0x00, JMP = 0x01, JPZ = 0x02, JMI = 0x03, JNZ = 0x04, JZE = 0x05, CALL = 0x06,
              RET = 0x07, PUSH = 0x08, POP = 0x09, IN = 0x0A, OUT = 0x0B, LD = 0x10, ST = 0x11,
              LEA = 0x12, ADD = 0x21, SUB = 0x22, AND = 0x23, OR = 0x24, EOR = 0x25, CPA = 0x26,
              CPL = 0x27, SLA = 0x28, SRA = 0x29, SLL = 0x2A, SRL = 0x2B;
}

constexpr int32_t kRetWord = 0x0700;   // the only word that is RET
constexpr int32_t kExitWord = 0x0000;  // the only word that is EXIT
constexpr int kMacroWords = 5;         // IN and OUT expand to a five-word group

struct ReservedWord {
    std::string_view name;  // mnemonic or register name, upper case
    OpClass cls;            // operand class
    int code;               // opcode, START's jump code, 0 for END/DS/DC, or register number
    int words;              // words generated (0 for directives whose size depends on the operand)
};

// The 35 reserved words in the order of the mnemonic table (rows 1..35).
inline constexpr std::array<ReservedWord, 35> kReservedWords{{
    {"LD", OpClass::CM0, op::LD, 2},     {"ST", OpClass::CM0, op::ST, 2},
    {"LEA", OpClass::CM0, op::LEA, 2},   {"ADD", OpClass::CM0, op::ADD, 2},
    {"SUB", OpClass::CM0, op::SUB, 2},   {"AND", OpClass::CM0, op::AND, 2},
    {"OR", OpClass::CM0, op::OR, 2},     {"EOR", OpClass::CM0, op::EOR, 2},
    {"CPA", OpClass::CM0, op::CPA, 2},   {"CPL", OpClass::CM0, op::CPL, 2},
    {"SLA", OpClass::CM0, op::SLA, 2},   {"SRA", OpClass::CM0, op::SRA, 2},
    {"SLL", OpClass::CM0, op::SLL, 2},   {"SRL", OpClass::CM0, op::SRL, 2},
    {"JPZ", OpClass::CM1, op::JPZ, 2},   {"JMI", OpClass::CM1, op::JMI, 2},
    {"JNZ", OpClass::CM1, op::JNZ, 2},   {"JZE", OpClass::CM1, op::JZE, 2},
    {"JMP", OpClass::CM1, op::JMP, 2},   {"PUSH", OpClass::CM1, op::PUSH, 2},
    {"POP", OpClass::CM2, op::POP, 2},   {"CALL", OpClass::CM1, op::CALL, 2},
    {"RET", OpClass::CM3, op::RET, 1},   {"IN", OpClass::MC0, op::IN, kMacroWords},
    {"OUT", OpClass::MC0, op::OUT, kMacroWords}, {"EXIT", OpClass::MC1, op::EXIT, 1},
    {"START", OpClass::PS0, op::JMP, 0}, {"END", OpClass::PS1, 0, 0},
    {"DS", OpClass::PS2, 0, 0},          {"DC", OpClass::PS3, 0, 0},
    {kRegisterNames[0], OpClass::REG, 0, 0}, {kRegisterNames[1], OpClass::REG, 1, 0},
    {kRegisterNames[2], OpClass::REG, 2, 0}, {kRegisterNames[3], OpClass::REG, 3, 0},
    {kRegisterNames[4], OpClass::REG, 4, 0},
}};

// Which row of the table each opcode 0..255 is, -1 for none: built from the table at compile time.
inline constexpr std::array<int8_t, 256> kOperationRow = [] {
    std::array<int8_t, 256> rows{};
    rows.fill(-1);
    for (size_t i = 0; i < kReservedWords.size(); ++i)
        if (isOperation(kReservedWords[i].cls)) rows[static_cast<size_t>(kReservedWords[i].code)] = static_cast<int8_t>(i);
    return rows;
}();

// The machine operation with this opcode (0..255), or null when the opcode is not in the table.
constexpr const ReservedWord* operationOf(int opcode) {
    const int row = kOperationRow[static_cast<size_t>(opcode) & 0xFFu];
    return row < 0 ? nullptr : &kReservedWords[static_cast<size_t>(row)];
}

// Fields of an instruction's first word.
constexpr int opcodeField(int32_t w) { return wordByte(w, 1); }
constexpr int registerField(int32_t w) { return (w & 0xF0) / 16; }
constexpr int indexField(int32_t w) { return w & 0x0F; }

}  // namespace comet
