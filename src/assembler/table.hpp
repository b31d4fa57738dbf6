// The mnemonic table: the 35 reserved words and, above them, the user's names.
#pragma once

#include <optional>
#include <string>

#include "workbench/workbench.hpp"

namespace comet {

char16_t asciiUpper(char16_t c);
// Names are the same name when they differ at most in the case of ASCII letters.
bool sameName(TextView a, TextView b);

void synInit(Workbench& wb);  // resets the table to its reserved rows
void tblAdd(Workbench& wb, const Text& name, OpClass cls, int32_t code);

// Row of a name (found without regard to case, or entered when new); 0 when the table is full.
int16_t tblLookup(Workbench& wb, const Text& name, OpClass cls);
OpClass tblClass(const Workbench& wb, int row);

// The address of a label the last assembly defined, found without regard to case; nothing when none.
std::optional<int32_t> labelAddress(const Workbench& wb, TextView name);

}  // namespace comet
