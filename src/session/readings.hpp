// What a line of the object listing or the memory dump holds, for the tooltips of the
// window and the page: the line of the source that made the word, the instruction it
// decodes to, and the word read every way.
#pragma once

#include "workbench/workbench.hpp"

namespace comet {

// The instruction at a machine address as the engine will read it ("LD GR1, 0005, GR2"):
// empty when the word there came from no instruction statement or names no operation.
Text decodedInstruction(const Workbench& wb, int32_t address);

// Tooltip of object listing line `row`; empty for a row that lists no address.
Text listingReading(const Workbench& wb, int row);

// Tooltip of memory dump line `row` (address `row`); empty past the dump's last line.
Text dumpReading(const Workbench& wb, int row);

}  // namespace comet
