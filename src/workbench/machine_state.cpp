#include "workbench/machine_state.hpp"

#include "workbench/workbench.hpp"

namespace comet {

MachineState machineStateOf(const Workbench& wb) {
    MachineState s;
    for (int c = 0; c < kCellCount; ++c) s.cells[static_cast<size_t>(c)] = wb.memory.cell(c).value;
    s.r = wb.regs.r;
    s.pc = wb.regs.pc;
    s.runPc = wb.run.pc;
    return s;
}

void loadMachineState(Workbench& wb, const MachineState& s) {
    for (int c = 0; c < kCellCount; ++c) wb.memory.writableCell(c).value = s.cells[static_cast<size_t>(c)];
    wb.regs.r = s.r;
    wb.regs.pc = s.pc;
    wb.run.pc = s.runPc;
}

bool sameMachine(const Workbench& a, const Workbench& b) {
    if (a.regs.r != b.regs.r || a.regs.pc != b.regs.pc || a.run.pc != b.run.pc) return false;
    for (int c = 0; c < kCellCount; ++c)
        if (a.memory.cell(c).value != b.memory.cell(c).value) return false;
    return true;
}

bool machineIs(const Workbench& wb, const MachineState& s) {
    if (wb.regs.r != s.r || wb.regs.pc != s.pc || wb.run.pc != s.runPc) return false;
    for (int c = 0; c < kCellCount; ++c)
        if (wb.memory.cell(c).value != s.cells[static_cast<size_t>(c)]) return false;
    return true;
}

void switchOnMachine(Workbench& wb) {
    wb.memory = Memory{};
    wb.regs = RegisterFile{};
    wb.run.pc = wb.run.nextPc = 0;
}

}  // namespace comet
