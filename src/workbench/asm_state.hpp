// The assembler's working state: the current token, the line status, the
// statement fields and the mnemonic table with its user-name part.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "machine/charset.hpp"
#include "machine/machine.hpp"

namespace comet {

// ---- Current token and line status ----------------------------------------

enum TokenKind : int16_t { kTokNumber = 0, kTokString = 1, kTokName = 2 };

enum LineStatus : int16_t {
    kStatusOk = 0,           // a token was read
    kStatusNoToken = 1,      // nothing (more) on the line, or a comment
    kStatusOpenString = 2,   // a string constant is not closed
    kStatusBadNumber = 3,    // a number could not be converted
    kStatusHeadNotName = 4,  // the statement head does not start with a name
    kStatusWrongClass = 5,   // a name or number of the wrong class
    kStatusNoAddress = 7,    // an address operand is missing
};

struct Token {
    TokenKind kind = kTokNumber;
    int16_t words = 1;          // words the token occupies as a constant
    int16_t value = 0;          // value of a number
    Text text;                  // a name as written, or a string constant's characters
};

// ---- Mnemonic table ---------------------------------------------------------

constexpr int kTableRows = 101;     // rows 0..100
constexpr int kReservedRows = 35;   // rows 1..35 hold the reserved words
constexpr int kMaxTableCount = 99;  // row 100 is only ever the search sentinel

struct TableRow {
    Text name;            // as written when the row was made
    bool defined = false;  // true for reserved words and labels that have been met
    int32_t value = 0;    // code, register number or label address
    OpClass cls = OpClass::None;  // the reserved word's class; None for a user name
};

struct MnemonicTable {
    std::array<TableRow, kTableRows> rows{};
    int16_t count = 0;  // number of the last live row
};

// A stretch of the source as offsets [begin, end); -1 for none.
struct SourceRange {
    int32_t begin = -1, end = -1;
};

// ---- Cell tags: how the second pass lists a word and whether it still holds a table row ----

constexpr int16_t kTagHead = -1;      // first word of a two-word instruction; its address word follows
constexpr int16_t kTagRow = 0;        // address word holding a table row
constexpr int16_t kTagAbsolute = 1;   // address word holding a final value
constexpr int16_t kTagConstRow = -2;  // one-word constant holding a table row
constexpr int16_t kTagPlain = -3;     // one final word
// Any tag n >= 1 heads a block of n words listed on one line (DS, DC string).

// ---- Statement fields ---------------------------------------------------------

struct Statement {
    int16_t code = 0;          // value of the mnemonic's row
    OpClass cls = OpClass::None;  // class of the mnemonic's row
    int16_t reg = 0;           // register operand 0..4
    int16_t index = 0;         // index register 0..4, 0 when none
    int32_t address = 0;       // number, packed characters or table row
    int16_t addressTag = kTagAbsolute;  // kTagAbsolute, or kTagRow for a table row
    SourceRange addressAt;     // where the address operand was read
    int32_t operandValue = 0;  // result of the last operand parser
    int16_t operandTag = kTagAbsolute;  // kTagAbsolute, or kTagRow for a table row
    TextView operation;        // the mnemonic as written
    bool numericAddress = false;  // the address operand was written as a number
};

// The last statement that generated words, for the warnings that look back at it.
struct PreviousStatement {
    OpClass cls = OpClass::None;
    int16_t code = 0;
    int32_t line = 0;
    TextView operation;
};

struct AsmState {
    Token token;                 // the last token read
    LineStatus lineStatus = kStatusOk;  // of the last read
    Statement st;                // the statement being generated
    int16_t listIndex = 0;       // where semANA inserts its next listing line
    bool memoryOver = false;     // a statement did not fit below address 200: the pass ends

    // ---- Where things are in the source, for diagnostics and the listing ----
    TextView source;                 // the text being assembled; empty outside the first pass
    TextView line;                   // the line being assembled
    TextView tokenText;              // where the last token read stands
    std::vector<int32_t> lineStarts; // the editor's line starts in the text last assembled
    std::array<SourceRange, kAddressCount> operandAt{};  // the operand each row reference came from
    std::array<int32_t, kAddressCount> lineOfWord{};     // editor line (1-based) of the statement each word came from; 0: none
    std::array<int32_t, kTableRows> lineOfLabel{};       // editor line that defined each row's label
    PreviousStatement previous;      // what execution would come from into the statement being assembled
    PreviousStatement lastOperation; // the last machine operation assembled
    bool sawExit = false;            // an EXIT was assembled
};

}  // namespace comet
