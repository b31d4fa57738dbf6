// The seven register boxes txtGR(0..6): display and editor of the registers.
#pragma once

#include <cstdint>

#include "machine/hex.hpp"
#include "workbench/workbench.hpp"

namespace comet {

// The value a box text stands for: blanks, tabs and line feeds ignored, the leading
// hexadecimal digits read modulo 2^32; up to FFFF the signed 16-bit reading, above
// it the signed 32-bit one.
int32_t readBoxValue(const Text& text);

// The value box k's text stands for (quickly, when the text is four digits).
int32_t boxValue(const Workbench& wb, int k);

// Sets box k's text; when that changes the text, runs its change hook inside the set,
// exactly as the user's typing does.
void setBoxText(Workbench& wb, int k, const Text& text);

// Change hook of box k: re-reads its register; for the PC box also selects the PC line.
void txtGR_Change(Workbench& wb, int k);

// Refresh: writes the seven boxes from the registers (GR0..GR4, FR, PC), then DumpMem.
void DumpMemReg(Workbench& wb);

// ---- The boxes as a refresh leaves them ----
// True when every box shows exactly the four digits of its register.
bool boxesShowRegisters(const Workbench& wb);
// Puts the four digits of its register into every box, as a refresh leaves them, without
// running the change hooks: the registers keep their values, however wide.
void showRegistersInBoxes(Workbench& wb);

}  // namespace comet
