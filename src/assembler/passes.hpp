// The assembler's two passes.
#pragma once

#include "workbench/workbench.hpp"

namespace comet {

// Syntax analysis: resets the table and assembles every source line into memory.
void SynANA(Workbench& wb);

// Semantic analysis: resolves name references and writes the object listing into List1.
void semANA(Workbench& wb);

// ---- Diagnostics that point into the source ----
SourceRange tokenRange(const Workbench& wb);      // the last token read
SourceRange statementRange(const Workbench& wb);  // the line being assembled, without blanks around it
// Reports a message of the assembler about `range` of the source; a SyntaxError
// carries the location counter.
void reportAt(Workbench& wb, DiagKind kind, SourceRange range, Text name = {});

}  // namespace comet
