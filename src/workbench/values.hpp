// What a word of the machine reads as, in every way a learner may mean it: the tooltips
// of the register boxes.
#pragma once

#include <cstdint>

#include "workbench/workbench.hpp"

namespace comet {

// A line each: hexadecimal, unsigned and signed decimal, binary in groups of four, and the
// two bytes as the characters OUT would show ("·" for a byte with none).
Text wordReading(int32_t value);

// FR as the flag value it holds and what that says of the last result.
Text flagsReading(int32_t fr);

// The tooltip of register box k: the reading of the value it shows; empty while it shows
// no four hexadecimal digits.
Text boxReading(const Workbench& wb, int k);

}  // namespace comet
