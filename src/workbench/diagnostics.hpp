// Every message the assembler and the engine give, as values: its kind, what it
// carries (an address or a name) and, for the assembler's, where in the source it
// points. One call shows a diagnostic in its modal box and keeps the assembler's, so
// that a window can mark them on their lines and a batch run can judge by their kinds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "machine/charset.hpp"
#include "workbench/messages.hpp"

namespace comet {

struct Workbench;

// ---- Kinds ----------------------------------------------------------------------

enum class DiagKind : uint8_t {
    // The assembler's, kept for the last ASM:
    SyntaxError,     // a statement head it cannot read (or a negative DS count)
    Undefined,       // a use of a name that no label defines
    DuplicateLabel,  // a label defined a second time
    NameTableOver,   // a user name beyond the table's 64
    MemoryOver,      // a statement whose words would pass address 199
    DsOperand,       // DS with an operand that is not a number
    CannotGenerate,  // a statement class without a generator
    // The engine's:
    BadRegister,   // a register field of 6..15
    BadIndex,      // an index field of 6..15
    BadOpcode,     // an opcode the machine does not have
    PushError,     // PUSH or CALL with GR4 at 0 or below
    AddressError,  // an access outside memory; the run stops
};
constexpr int kDiagKindCount = 12;

constexpr bool isAssemblerKind(DiagKind k) { return k <= DiagKind::CannotGenerate; }

// What a message says: `before`, the address in decimal or the name it carries, `after`.
struct DiagText {
    enum Carries : uint8_t { Nothing, Address, Name };
    DiagKind kind;
    std::u16string_view before;
    Carries carries;
    std::u16string_view after;
};
extern const DiagText kDiagTexts[kDiagKindCount];  // by kind, in the enumeration's order

// ---- Diagnostics ------------------------------------------------------------------

// A place in the source text: offsets (UTF-16 units, CR LF counting as two) and the
// same place as the editor shows it, lines counted at every CR LF, lone CR and lone LF.
struct SourceSpan {
    int32_t begin = 0, end = 0;  // [begin, end) in the text
    int32_t line = 0;            // 1-based editor line of begin; 0 for no place in the source
    int32_t column = 0;          // 1-based column of begin on that line
    int32_t endColumn = 0;       // 1-based column just after the span, on the same line
    bool operator==(const SourceSpan&) const = default;
};

// The span [begin, end) of a text whose editor lines start at `lineStarts`.
SourceSpan spanOf(const std::vector<int32_t>& lineStarts, int32_t begin, int32_t end);

struct Diagnostic {
    DiagKind kind{};
    int64_t address = 0;  // what SyntaxError and AddressError carry
    Text name;            // what Undefined and DuplicateLabel carry
    SourceSpan where;     // the assembler's: the statement or operand at fault
    std::vector<Note> notes;  // what it means to a learner and, where one is likely, the fix
    bool operator==(const Diagnostic&) const = default;
};

// What the assembler passes in silence though the program will likely not do what it
// says: never a change to a word assembled, only a remark on where it comes from.
struct Warning {
    Note text;
    SourceSpan where;  // line 0: the program as a whole
    std::vector<Note> notes;
    bool operator==(const Warning&) const = default;
};

Text diagnosticText(const Diagnostic& d);  // exactly the text its message box shows

// The diagnostic as compilers write theirs, so that editors and build tools take the user
// to its place: "FILE:LINE:COLUMN: message" in UTF-8 (line and column as the editor
// counts them, from 1), or "FILE: message" when it has no place in the source.
std::string locatedText(std::string_view file, const Diagnostic& d);

// An engine message as the run met it: the instruction's address and source line, and
// what it means, worked out from the machine as it stood then.
struct RunFault {
    DiagKind kind{};
    int32_t pc = 0;
    int32_t line = 0;  // 0: a word no statement made
    std::vector<Note> notes;
    bool operator==(const RunFault&) const = default;
};

// A run that executes data may meet millions of them: the first few tell the story.
constexpr size_t kFaultsKept = 16;

// The same as compilers write theirs with a severity: "FILE:LINE:COLUMN: error: TEXT", then
// "FILE:LINE:COLUMN: note: TEXT" for each explanation, one line each in UTF-8.
std::string locatedLines(std::string_view file, const Diagnostic& d);
std::string locatedLines(std::string_view file, const Warning& w);
// An explanation of a run, on the whole of its source line (0: none): "FILE:LINE:1: note: TEXT".
std::string locatedNote(std::string_view file, int32_t line, const Note& note);

// Shows the diagnostic in an OK box with the application's title; the assembler's
// are kept in the workbench's list of the last ASM first.
void report(Workbench& wb, Diagnostic d);
void report(Workbench& wb, DiagKind kind, int64_t address = 0);  // one with no place in the source

}  // namespace comet
