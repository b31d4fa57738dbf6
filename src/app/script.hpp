// The session script driver: the window logic on the headless display, one user
// action per script line, printing what the window would show.
#pragma once

#include <iosfwd>

namespace comet {

// Runs a whole script. Returns 0 when it ran to its end, 2 at the first malformed line
// (reported on `err` with its line number; nothing after it runs).
int runScript(std::istream& script, std::ostream& out, std::ostream& err);

}  // namespace comet
