// The mnemonic table: the 35 reserved words and, above them, the user's names.
#pragma once

#include <string>

#include "workbench/workbench.hpp"

namespace comet {

void synInit(Workbench& wb);  // resets the table to its reserved rows
void tblAdd(Workbench& wb, const Text& name, OpClass cls, int32_t code);

// Row of a name (found without regard to case, or entered when new); 0 when the table is full.
int16_t tblLookup(Workbench& wb, const Text& name, OpClass cls);
OpClass tblClass(const Workbench& wb, int row);

}  // namespace comet
