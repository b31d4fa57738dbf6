// The engine's access to memory, for the instructions and for IN and OUT alike: every
// word read or written by machine address (cells 0..200, so addresses -1..199), and the
// fault of an address with no cell. Inline: a run reads memory at every step.
#pragma once

#include <cstdint>

#include "workbench/workbench.hpp"

namespace comet {

// Reports an access outside memory at machine address a and halts the run there.
inline void addressError(Workbench& wb, int64_t address) {
    report(wb, DiagKind::AddressError, address);
    wb.run.halted = true;
    wb.run.haltedBy = Halt::AddressError;
    wb.run.nextPc = wb.run.pc;
}

// Every write of the engine into a memory cell: the step's undo record and the loop
// watch see it.
inline void storeCell(Workbench& wb, int64_t cell, int32_t value) {
    Cell& target = wb.memory.writableCell(cell);
    wb.debug.undo.noteWrite(cell, target.value);
    wb.debug.loops.noteWrite(cell, target.value, value);
    target.value = value;
}

// Data access by machine address; false, after "*Address Error" has been shown and the
// run halted, when the address has no cell.
inline bool readWord(Workbench& wb, int64_t address, int32_t& value) {
    if (!isCell(address + 1)) {
        addressError(wb, address);
        return false;
    }
    value = wb.memory.cell(address + 1).value;
    return true;
}

inline bool writeWord(Workbench& wb, int64_t address, int32_t value) {
    if (!isCell(address + 1)) {
        addressError(wb, address);
        return false;
    }
    storeCell(wb, address + 1, value);
    return true;
}

}  // namespace comet
