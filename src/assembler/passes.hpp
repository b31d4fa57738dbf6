// The assembler's two passes.
#pragma once

#include "workbench/workbench.hpp"

namespace comet {

// Syntax analysis: resets the table and assembles every source line into memory.
void SynANA(Workbench& wb);

// Semantic analysis: resolves name references and writes the object listing into List1.
void semANA(Workbench& wb);

}  // namespace comet
