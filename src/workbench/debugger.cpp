#include "workbench/debugger.hpp"

#include <string>

#include "machine/hex.hpp"

namespace comet {
namespace {

Text number(uint64_t n) { return fromAscii(std::to_string(n)); }

Text lineAndAddress(const DebugStatus& s) { return u"line " + number(static_cast<uint64_t>(s.line)) + u" (address " + cnvHex4(s.address) + u")"; }

Text undoReach(const DebugStatus& s) {
    Text text = number(s.undoSteps) + (s.undoSteps == 1 ? u" step" : u" steps") + u" can be undone";
    if (s.undoDropped) text += u"; older steps were dropped to stay within the undo memory";
    return text;
}

}  // namespace

Text statusText(const DebugStatus& s) {
    const Text line = number(static_cast<uint64_t>(s.line));
    switch (s.kind) {
    case DebugStatus::None: return {};
    case DebugStatus::Breakpoint: return u"Stopped at the breakpoint on " + lineAndAddress(s);
    case DebugStatus::Reached: return u"Reached " + lineAndAddress(s);
    case DebugStatus::EndlessLoop:
        return u"Endless loop: steps " + number(s.loop.first) + u" to " + number(s.loop.last) + u" repeat (addresses " +
               cnvHex4(s.loop.low) + u" to " + cnvHex4(s.loop.high) + u")";
    case DebugStatus::SteppedBack: return u"Stepped back: " + undoReach(s);
    case DebugStatus::NothingToUndo: return u"Nothing to step back: " + undoReach(s);
    case DebugStatus::Reset: return u"Reset: the program is loaded again";
    case DebugStatus::NoWords: return u"Line " + line + u" makes no words";
    case DebugStatus::NotAssembled: return u"Line " + line + u" has changed since the last ASM";
    case DebugStatus::Pending: return u"The breakpoint on line " + line + u" stops runs after the next ASM";
    }
    return {};
}

}  // namespace comet
