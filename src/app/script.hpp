// The session script driver: the window logic on the headless display, one user
// action per script line, printing what the window would show.
#pragma once

#include <functional>
#include <iosfwd>

#include "ui/headless.hpp"
#include "workbench/workbench.hpp"

namespace comet {

// Runs a whole script. Returns 0 when it ran to its end, 2 at the first malformed line
// (reported on `err` with its line number; nothing after it runs).
// `observe`, when given, sees the session before and after every script line (the
// fuzzers check their invariants and bound Run Mode presses there).
using ScriptObserver = std::function<void(Workbench&, HeadlessDisplay&, bool beforeLine)>;
int runScript(std::istream& script, std::ostream& out, std::ostream& err, const ScriptObserver& observe = {});

}  // namespace comet
