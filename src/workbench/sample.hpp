// The program the editor holds when the workbench starts.
#pragma once

#include "machine/charset.hpp"

namespace comet {

extern const Text kSampleProgram;

}  // namespace comet
