// The editor's lines as the last ASM made them: the address a line's first word has, and
// what an ASM leaves to debugging (no step to go back over, breakpoints at the addresses
// of their lines). ASM calls it; the debugging commands, which also press ASM, read it.
#pragma once

#include <cstdint>

#include "workbench/workbench.hpp"

namespace comet {

// What an editor line is known to make, besides the address of its first word.
constexpr int32_t kLineNoWords = -1;  // it made no words at the last ASM
constexpr int32_t kLineUnknown = -2;  // it has not been assembled as it stands (edited since, or never)

int32_t addressOfLine(const Workbench& wb, int32_t line);  // its first word's address, kLineNoWords or kLineUnknown

void debuggingAfterAssembly(Workbench& wb);  // no step to go back to; breakpoints at their new addresses

}  // namespace comet
