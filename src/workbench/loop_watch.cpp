#include "workbench/loop_watch.hpp"

#include <limits>

#include "workbench/workbench.hpp"

namespace comet {
namespace {

// The finaliser of splitmix64: every bit of the input reaches every bit of the result.
uint64_t mix(uint64_t x) {
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9u;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBu;
    return x ^ (x >> 31);
}

uint64_t pairOf(int32_t high, int32_t low) {
    return uint64_t{static_cast<uint32_t>(high)} << 32 | static_cast<uint32_t>(low);
}

}  // namespace

// ---- Hashes ----

uint64_t LoopWatch::cellHash(int64_t cell, int32_t value) {
    return mix(pairOf(static_cast<int32_t>(cell), value) + 0x9E3779B97F4A7C15u);
}

// ---- Watching ----

void LoopWatch::start(const Workbench& wb) {
    active_ = true;
    inputSeen_ = false;
    memoryHash_ = 0;
    for (int c = 0; c < kCellCount; ++c) memoryHash_ ^= cellHash(c, wb.memory.cell(c).value);
    origin_ = machineStateOf(wb);
    originStep_ = wb.debug.press.steps;
    power_ = 1;
    moveTortoise(wb);
}

bool LoopWatch::afterStep(const Workbench& wb, int32_t pc) {
    const uint64_t step = wb.debug.press.steps;
    low_ = std::min(low_, pc);
    high_ = std::max(high_, pc);
    if (inputSeen_) {
        start(wb);
        return false;
    }
    if (wb.run.pc == tortoise_.runPc && tortoiseIsHere(wb)) {
        found_ = {tortoiseStep_ + 1, step, low_, high_};
        return true;
    }
    if (step - tortoiseStep_ == power_) {
        moveTortoise(wb);
        power_ *= 2;
    }
    return false;
}

void LoopWatch::moveTortoise(const Workbench& wb) {
    tortoise_ = machineStateOf(wb);
    tortoiseStep_ = wb.debug.press.steps;
    tortoiseMemoryHash_ = memoryHash_;
    low_ = std::numeric_limits<int32_t>::max();
    high_ = std::numeric_limits<int32_t>::min();
}

bool LoopWatch::tortoiseIsHere(const Workbench& wb) const {
    return memoryHash_ == tortoiseMemoryHash_ && machineIs(wb, tortoise_);
}

void LoopWatch::startsAt(uint64_t first) {
    found_.last = first + (found_.last - found_.first);
    found_.first = first;
}

}  // namespace comet
