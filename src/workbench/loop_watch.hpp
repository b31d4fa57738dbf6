// Endless-loop detection during a Run Mode run. The machine's next steps read only
// memory, the registers with FR and the PC (the boxes show the registers' digits after
// every refresh), so a run that comes back to such a state with no IN in between can
// never end. Brent's cycle finding compares the machine with a saved state at doubling
// distances: a loop is found within a small multiple of where it starts plus its length,
// whatever its length. The comparison costs a step one test as a rule: the PC first,
// then the registers, then a hash of memory kept up to date through the engine's writes,
// and only when all of them agree the saved cells themselves, so there is no false report.
#pragma once

#include <array>
#include <cstdint>

#include "machine/machine.hpp"
#include "workbench/machine_state.hpp"

namespace comet {

struct Workbench;

// Steps first..last of the press (counting from 1) repeat forever.
struct FoundLoop {
    uint64_t first = 0, last = 0;
    int32_t low = 0, high = 0;  // the lowest and highest address of an instruction among them
    bool operator==(const FoundLoop&) const = default;
};

class LoopWatch {
public:
    // ---- Watching a run ----
    void start(const Workbench& wb);  // from the state the press under way has reached
    void stop() { active_ = false; }
    bool active() const { return active_; }
    void noteWrite(int64_t cell, int32_t old, int32_t value) {  // the engine writes a memory cell
        if (active_) memoryHash_ ^= cellHash(cell, old) ^ cellHash(cell, value);
    }
    void noteInput() { inputSeen_ = true; }  // an IN ran: what follows depends on what was typed
    // After the press's next step, which executed the instruction at pc: true when the
    // machine is back in an earlier state, which found() then names.
    bool afterStep(const Workbench& wb, int32_t pc);

    // ---- The loop found ----
    const FoundLoop& found() const { return found_; }
    void startsAt(uint64_t first);                  // an earlier first step of the same loop
    const MachineState& origin() const { return origin_; }  // the state watching began from...
    uint64_t originStep() const { return originStep_; }     // ...after this many steps

private:
    static uint64_t cellHash(int64_t cell, int32_t value);
    void moveTortoise(const Workbench& wb);
    bool tortoiseIsHere(const Workbench& wb) const;

    bool active_ = false;
    bool inputSeen_ = false;
    uint64_t memoryHash_ = 0;   // of every cell's value, kept up to date on each write
    MachineState origin_;
    uint64_t originStep_ = 0;
    MachineState tortoise_;     // the saved state the machine is compared with
    uint64_t tortoiseStep_ = 0;
    uint64_t tortoiseMemoryHash_ = 0;
    uint64_t power_ = 1;        // steps the tortoise waits before it moves to the machine's state
    int32_t low_ = 0, high_ = 0;  // instruction addresses since the tortoise moved
    FoundLoop found_;
};

}  // namespace comet
