// Two runs of the same test side by side: where a program's run first departs from a
// reference solution's, step by step, with no trace kept.
#pragma once

#include <optional>

#include "workbench/workbench.hpp"

namespace comet {

// Runs an "Exec" press of `run` and of `reference` side by side, one step of each at a
// time, and tells the first step at which the run does otherwise: runs
// another operation, leaves another value in a register or FR, or writes other values
// ("step 3: LD at 0005 leaves GR1 = 0000, the reference 3300"). Nothing when the two
// agree for `maxSteps` steps or end together. Addresses are not compared, and two values
// that are the same place in each program's layout (as far from labels of one name) are
// the same, so a program laid out otherwise than the reference still agrees with it
// step by step.
std::optional<Text> firstDeparture(Workbench& run, Workbench& reference, long maxSteps);

}  // namespace comet
