// The execution engine: one step of the machine and the mode label.
#pragma once

#include <cstdint>

#include "workbench/workbench.hpp"

namespace comet {

// ---- Flags and comparisons ----
void emSetFR(Workbench& wb, int64_t value);  // FR from a result by the flag rule
int32_t frOf(int64_t value);                  // the FR value the flag rule gives
int32_t emCPA(int32_t a, int32_t b);          // arithmetic compare: FR value
int32_t emCPL(int32_t a, int32_t b);          // logical compare: FR value

// ---- Shifts (value, count); each sets FR from its result ----
int32_t emSLA(Workbench& wb, int32_t v, int32_t n);
int32_t emSRA(Workbench& wb, int32_t v, int32_t n);
int32_t emSLL(Workbench& wb, int32_t v, int32_t n);
int32_t emSRL(Workbench& wb, int32_t v, int32_t n);

// ---- Stack (cells addressed directly by GR4) ----
// Both return false, after showing "*Address Error", when the cell is outside memory.
bool emPush(Workbench& wb, int32_t value);
bool emPop(Workbench& wb, int32_t& value);

// ---- Stepping ----
void emStep(Workbench& wb);         // executes the instruction at run.pc
void Label3_Click(Workbench& wb);   // toggles Debug Mode / Run Mode

}  // namespace comet
