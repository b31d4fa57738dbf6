// The execution engine: one step of the machine, the run loop of "Exec" and the
// mode label.
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

// ---- Memory and faults ----
// Data access by machine address (cells 0..200, so addresses -1..199); false, after
// "*Address Error" has been shown and the run halted, when the address has no cell.
bool readWord(Workbench& wb, int64_t address, int32_t& value);
bool writeWord(Workbench& wb, int64_t address, int32_t value);
// Reports an access outside memory at machine address a and halts the run there.
void addressError(Workbench& wb, int64_t address);

// Every write of the engine into a memory cell: the step's undo record and the loop
// watch see it.
void storeCell(Workbench& wb, int64_t cell, int32_t value);

// ---- Stepping and run control ----
void emStep(Workbench& wb);         // executes the instruction at run.pc
void Command2_Click(Workbench& wb); // "Exec"
void Label3_Click(Workbench& wb);   // toggles Debug Mode / Run Mode

// ---- A press, a step at a time ----
// "Exec" is pressBegins, then pressGoesOn until it returns false, asking the display
// for Stop in between. A Run Mode press stops before an instruction at a breakpoint
// (or at the target of a run to cursor), except its first, so the next press goes on;
// with loop detection on it stops once the machine is back in an earlier state. A
// window watching a run at a set speed calls pressGoesOn from its timer instead.
void pressBegins(Workbench& wb, int32_t target = -1);  // target: where a run to cursor stops; -1 none
bool pressGoesOn(Workbench& wb);   // runs the next instruction, unless the press stops first; false once it ended
void pressStopped(Workbench& wb);  // the user's Stop ends the press
void runPress(Workbench& wb, int32_t target);  // one whole press at full speed

}  // namespace comet
