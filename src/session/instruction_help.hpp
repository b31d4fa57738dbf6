// Help on a reserved word where the learner meets it (the editor's hover, the chooser's
// items, the language server): what it does, how its operands are written, what it does
// to FR and a line that uses it. Read from the instruction table, in the current language.
#pragma once

#include <cstdint>
#include <optional>

#include "machine/charset.hpp"

namespace comet {

struct InstructionHelp {
    Text title;    // the word and what kind of word it is: opcode and size for an instruction
    Text meaning;  // what it does
    Text form;     // how it is written, the same in every language ("LD r,adr[,x]"); empty for a register
    Text flags;    // what it does to FR; empty for a word that is no instruction
    Text example;  // a line of CASL that uses it; empty for a register
};

// The help on the reserved word `word` (found without regard to case); nothing for any other word.
std::optional<InstructionHelp> instructionHelp(TextView word);

// The help as lines joined by CR LF, as the tooltips show it: title, meaning, form, FR, example.
Text helpLines(const InstructionHelp& help);

// The help lines on the instruction, directive or register that the assembler's lexer
// reads at `column` of a source line (its end included); nothing anywhere else.
std::optional<Text> helpAt(TextView line, int32_t column);

}  // namespace comet
