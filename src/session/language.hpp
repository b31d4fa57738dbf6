// What an editor asks of a program as the user writes it: where its labels are defined
// and used, help on the word under the cursor, the words that may come next, and the same
// text with its columns aligned. Read from the text as the assembler reads a line (words
// split at blanks and commas, string constants in quotes, a comment from "/*"), so that it
// answers for a text that does not assemble yet. Lines and columns count from 0, columns
// in UTF-16 units, as the editors' protocols count them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "assembler/table.hpp"
#include "machine/charset.hpp"
#include "machine/machine.hpp"
#include "workbench/workbench.hpp"

namespace comet {

// A word of the source where it stands.
struct SourceWord {
    int32_t line = 0;
    int32_t column = 0;
    int32_t length = 0;
    Text text;
    bool operator==(const SourceWord&) const = default;
};

// A line as the assembler splits it; the operands run from `operandColumn` to the end of
// the line (comment included), kept as written.
struct LineParts {
    std::optional<SourceWord> label;      // a head word that is no reserved word
    std::optional<SourceWord> operation;  // the reserved word of the statement
    int32_t operandColumn = -1;           // where the first operand begins; -1 for none
    bool plain = true;                    // no tab, and a head the assembler reads: formatting may move its words
};

struct ProgramOutline {
    std::vector<LineParts> lines;          // one per line of the text
    std::vector<SourceWord> labels;        // each label where a line defines it
    std::vector<SourceWord> references;    // each operand word that names a label (defined or not)
    std::vector<SourceWord> registers;     // each operand word that names a register
};

ProgramOutline outlineOf(TextView source);

// The word of the outline at a place (its end included): a label, an operation, a
// reference or a register; null for none.
const SourceWord* wordAt(const ProgramOutline& outline, int32_t line, int32_t column);

// Every place that defines or uses the label `name` (without regard to case): the
// definitions first when `withDefinitions`.
std::vector<SourceWord> placesOfLabel(const ProgramOutline& outline, TextView name, bool withDefinitions);
std::optional<SourceWord> definitionOf(const ProgramOutline& outline, TextView name);

// ---- Help ----
// Help on the word at a place, in Markdown: a reserved word's help in the current
// language (see instruction_help.hpp); a label's address (from `assembled`, the workbench after the last ASM of this
// text) and defining line. Nothing for any other place.
std::optional<Text> hoverText(const ProgramOutline& outline, const Workbench& assembled, const SourceWord& word);

// ---- Completion ----
struct Completion {
    enum Kind : uint8_t { Operation, Directive, Register, Label } kind;
    Text label;
    Text detail;  // an operation's operand form ("r,adr[,x]"), a label's line
};
std::vector<Completion> completions(const ProgramOutline& outline);

// ---- Formatting ----
constexpr int32_t kOperationColumn = 8;  // where an operation starts when a label could stand before it
constexpr int32_t kOperandGap = 2;       // blanks at least between an operation and its operands

// The text with every plain statement's label, operation and operands in aligned columns,
// lines separated as in `source`; nothing when aligning would change a word the assembler
// generates or a message it gives, or when the text is aligned already.
std::optional<Text> formattedSource(TextView source);

}  // namespace comet
