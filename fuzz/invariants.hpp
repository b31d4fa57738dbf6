// What must hold of the workbench after any user action, whatever the input:
// checked by every fuzz target.
#pragma once

#include <string>
#include <vector>

#include "workbench/workbench.hpp"

namespace comet::fuzz {

// An empty string when the state is sound; otherwise what is wrong.
std::string checkAssembly(const Workbench& wb);  // location counter, listing, dump
std::string checkDisplay(const Workbench& wb);   // history length, dump, listing selection
// After an "Exec" press: every box shows its register's four digits (a register may keep
// a wider value when its digits equal the box's earlier text), and the listing selects
// the PC's line or nothing.
std::string checkRefreshed(const Workbench& wb);

// The memory dump's lines as the window shows them.
std::vector<Text> dumpLines(const Workbench& wb);

// Stops the fuzzer with the reason when a check failed.
void require(const std::string& problem);

}  // namespace comet::fuzz
