// Breakpoints, kept by the editor line they were set on, and the addresses before
// which a Run Mode run stops. A line's address is that of the first word its statement
// generated at the last ASM; edits move breakpoints with their lines, and the next ASM
// finds their addresses again (a line that makes no words holds none).
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

// What an editor line is known to make, besides the address of its first word.
constexpr int32_t kLineNoWords = -1;  // it made no words at the last ASM
constexpr int32_t kLineUnknown = -2;  // it has not been assembled as it stands (edited since, or never)

struct Breakpoint {
    int32_t line = 0;      // editor line, 1-based
    int32_t address = -1;  // where the run stops; -1 until an ASM has assembled the line
    bool operator==(const Breakpoint&) const = default;
};

struct Breakpoints {
    std::vector<Breakpoint> set;                  // ascending by line
    std::vector<int32_t> lineAddress;             // by editor line - 1: first word's address, kLineNoWords or kLineUnknown
    std::array<uint8_t, kAddressCount> stopAt{};  // kStop... bits by address
};

// ---- Setting and clearing ----
enum class Toggled { Set, Pending, Cleared, NoWords };  // Pending: set, active after the next ASM
Toggled toggleBreakpoint(Workbench& wb, int32_t line);
const Breakpoint* breakpointAt(const Workbench& wb, int32_t address);  // the first one stopping there, or null

// ---- Lines and addresses ----
int32_t addressOfLine(const Workbench& wb, int32_t line);  // its first word's address, kLineNoWords or kLineUnknown
int32_t lineOfAddress(const Workbench& wb, int32_t address);  // the editor line whose words include it; 0 for none

// ---- Keeping them in step with the source ----
void breakpointsAfterAssembly(Workbench& wb);                              // addresses of the new program
void breakpointsAfterEdit(Workbench& wb, TextView before, TextView after);  // lines moved by an edit

}  // namespace comet
