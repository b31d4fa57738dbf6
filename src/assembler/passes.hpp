// The assembler's two passes.
#pragma once

#include "ui/workbench.hpp"

namespace comet {

// Syntax analysis: resets the table and assembles every source line into memory.
void SynANA(Workbench& wb);

// Semantic analysis: resolves name references and writes the object listing into List1.
void semANA(Workbench& wb);

// "Syntax Error (Address=L)" for the statement at the location counter L.
void showSyntaxError(Workbench& wb);

}  // namespace comet
