// What must hold of the workbench after any user action, whatever the input:
// checked by every fuzz target.
#pragma once

#include <string>

#include "ui/workbench.hpp"

namespace comet::fuzz {

// An empty string when the state is sound; otherwise what is wrong.
std::string checkAssembly(const Workbench& wb);  // location counter, listing, dump
std::string checkDisplay(const Workbench& wb);   // history length, dump, box texts

// Stops the fuzzer with the reason when a check failed.
void require(const std::string& problem);

}  // namespace comet::fuzz
