// The object program list List1 (its PC line selection) and the memory dump List2.
#pragma once

#include <cstdint>

#include "workbench/workbench.hpp"

namespace comet {

// The dump's character for a byte: 32..126 and 161..223 as themselves (half-width
// katakana for the latter), 160 as a blank, any other byte as ".".
char16_t dumpChar(int byte);

// One memory dump line: "AAAA: WWWW   hl".
Text dumpLine(int32_t address, int32_t value);

// ---- The memory dump as shown ----
int32_t dumpLineCount(const Workbench& wb);
Text dumpLineText(const Workbench& wb, int32_t i);  // line i, 0 <= i < dumpLineCount

// ---- The object program list ----
// Notes which line lists each address; run whenever List1's lines change.
void indexListing(Workbench& wb);

// What the PC line selection leaves when no listing line matches.
enum class PcLineMiss { SelectNone, KeepLast };

// Selects the first List1 line whose first four characters equal those of the PC box.
void selectPcLine(Workbench& wb, PcLineMiss miss);

// Rebuilds the memory dump for addresses 0..location counter - 1, then selects the PC line.
void DumpMem(Workbench& wb);

}  // namespace comet
