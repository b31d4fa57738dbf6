// The assembler's diagnostics that point into the source: the token or statement a
// message is about, while a pass reads the text.
#pragma once

#include "workbench/workbench.hpp"

namespace comet {

SourceRange tokenRange(const Workbench& wb);      // the last token read
SourceRange statementRange(const Workbench& wb);  // the line being assembled, without blanks around it
// Reports a message of the assembler about `range` of the source; a SyntaxError
// carries the location counter.
void reportAt(Workbench& wb, DiagKind kind, SourceRange range, Text name = {});

}  // namespace comet
