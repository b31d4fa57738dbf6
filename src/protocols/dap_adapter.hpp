// `comet-workbench --dap`: the debug adapter an editor starts, speaking the Debug Adapter
// Protocol on the process's standard input and output. It runs one program with the
// workbench's breakpoints, endless-loop detection and exact step back.
#pragma once

#include <iosfwd>

namespace comet {

// Serves until the client disconnects or `in` ends; 0, or 1 when `in` ended without a
// disconnect. `in` is read on a thread of its own (so that a pause reaches a running
// program) that may outlive the call: it must stay valid until the process ends.
int serveDebugAdapter(std::istream& in, std::ostream& out);

}  // namespace comet
