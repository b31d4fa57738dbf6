// The mnemonic table: the 35 reserved words and, above them, the user's names.
#pragma once

#include <optional>
#include <string>

#include "assembler/names.hpp"
#include "workbench/workbench.hpp"

namespace comet {

void synInit(Workbench& wb);  // resets the table to its reserved rows
void tblAdd(Workbench& wb, const Text& name, OpClass cls, int32_t code);

// Row of a name (found without regard to case, or entered when new); 0 when the table is full.
int16_t tblLookup(Workbench& wb, const Text& name, OpClass cls);
OpClass tblClass(const Workbench& wb, int row);

// The reserved word of this name (found without regard to case), or null.
const ReservedWord* reservedWordNamed(TextView name);
// The class of a reserved word, found without regard to case; None for any other name.
OpClass reservedClass(TextView name);

// The address of a label the last assembly defined, found without regard to case; nothing when none.
std::optional<int32_t> labelAddress(const Workbench& wb, TextView name);

}  // namespace comet
