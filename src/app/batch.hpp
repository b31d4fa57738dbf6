// The batch run: one program assembled and run to its end with no window, its
// standard input and output on the process's own.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string_view>

#include "machine/charset.hpp"
#include "session/stepping.hpp"
#include "workbench/workbench.hpp"

namespace comet {

class TraceFile;

constexpr size_t kInputLineLimit = 64 * 1024;  // the longest line IN reads; IN keeps at most 400 characters of it

// Assembles `source`, read from `file`, and runs it from address 0 in Run Mode with
// endless-loop detection. Messages go to `err` one per line, and the assembler's then once
// more as "FILE:LINE:COLUMN: message"; IN reads a line of `in`; OUT writes its text and a
// newline to `out`. When `out` fails, the run ends as Cancel in the output box ends it.
// With a `trace`, every step goes to it as a row.
BatchStatus runBatch(const Text& source, std::string_view file, long maxSteps, std::istream& in, std::ostream& out,
                     std::ostream& err, TraceFile* trace = nullptr);

}  // namespace comet
