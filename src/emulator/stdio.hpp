// Standard input and output of the emulated program: the IN and OUT groups.
#pragma once

#include <cstdint>

#include "workbench/workbench.hpp"

namespace comet {

// Both take the buffer address Y and find the length address two words after the next PC.
// Both return false, after reporting it, when an access falls outside memory.
bool emIN(Workbench& wb, int32_t y);
bool emOUT(Workbench& wb, int32_t y);

}  // namespace comet
