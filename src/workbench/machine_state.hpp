// The machine as the next steps of a run read it: memory, the registers with FR and the
// PC, and where the next step starts (the boxes show the registers' digits after every
// refresh). One value, compared and copied whole by the loop watch, the search for a
// loop's first step and Reset.
#pragma once

#include <array>
#include <cstdint>

#include "machine/machine.hpp"

namespace comet {

struct Workbench;

struct MachineState {
    std::array<int32_t, kCellCount> cells{};  // every cell's value (the engine never reads the tags)
    std::array<int32_t, 6> r{};               // GR0..GR4 and FR
    int32_t pc = 0;                           // the PC register
    int32_t runPc = 0;                        // where the next step starts
    bool operator==(const MachineState&) const = default;
};

MachineState machineStateOf(const Workbench& wb);
// Puts the machine in state `s`; its next step starts at s.runPc.
void loadMachineState(Workbench& wb, const MachineState& s);
// Whether the machines read the same next steps, without copying either.
bool sameMachine(const Workbench& a, const Workbench& b);
bool machineIs(const Workbench& wb, const MachineState& s);
// A machine as it is switched on: memory cleared (the assembler's marks too), every
// register 0, the next step at address 0.
void switchOnMachine(Workbench& wb);

}  // namespace comet
