// The session script driver: the window logic on the headless display, one user
// action per script line, printing what the window would show.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>

#include "session/headless.hpp"
#include "workbench/workbench.hpp"

namespace comet {

constexpr size_t kScriptLineLimit = 1024 * 1024;  // the longest script line read
constexpr size_t kQueuedAnswerLimit = 1'000'000;  // reply and reply-input answers waiting for boxes
constexpr size_t kQueuedInputBytes = size_t{16} << 20;  // the text of the reply-input answers waiting
constexpr size_t kScriptUndoBudget = size_t{16} << 20;  // the records "back" goes through: some 130,000 steps

// Runs a whole script. Returns 0 when it ran to its end, 2 at the first malformed line
// or one longer than kScriptLineLimit (reported on `err` with its line number; nothing
// after it runs). Each box is printed as it is shown and none is kept, so a long run
// takes no memory. A Run Mode press stops after `maxSteps` steps, as Stop stops it,
// and `err` says so. When `out` fails, the script stops after that line and returns 0.
// `observe`, when given, sees the session before and after every script line (the
// fuzzers check their invariants and bound Run Mode presses there).
using ScriptObserver = std::function<void(Workbench&, HeadlessDisplay&, bool beforeLine)>;
int runScript(std::istream& script, std::ostream& out, std::ostream& err, long maxSteps,
              const ScriptObserver& observe = {});

}  // namespace comet
