// Breakpoints, kept by the editor line they were set on, and the addresses before
// which a Run Mode run stops. A breakpoint's address is that of the first word its
// line's statement generated at the last ASM; edits move breakpoints with their lines,
// and the next ASM finds their addresses again.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "machine/charset.hpp"
#include "machine/machine.hpp"

namespace comet {

struct Workbench;

// What the run loop finds for an address before it executes the instruction there.
constexpr uint8_t kStopBreakpoint = 1;  // a breakpoint's statement begins here
constexpr uint8_t kStopTarget = 2;      // "Run to cursor" runs to here

struct Breakpoint {
    int32_t line = 0;      // editor line, 1-based
    int32_t address = -1;  // where the run stops; -1 until an ASM has assembled the line
    bool operator==(const Breakpoint&) const = default;
};

struct Breakpoints {
    std::vector<Breakpoint> set;                  // ascending by line
    std::array<uint8_t, kAddressCount> stopAt{};  // kStop... bits by address
};

// Marks the set's addresses in stopAt; run whenever the set changes.
void markBreakpointStops(Breakpoints& b);

// The breakpoint stopping at `address`, or null.
const Breakpoint* breakpointAt(const Workbench& wb, int32_t address);

// Moves the breakpoints with their lines when the editor's text changes from `before` to
// `after`: lines before and after the lines the edit rewrote keep their breakpoints; a
// rewritten line keeps its own while it is still there; one whose line the edit removed
// stops no more runs. The addresses stay as they were: memory still holds the program as
// last assembled.
void breakpointsAfterEdit(Workbench& wb, TextView before, TextView after);

}  // namespace comet
