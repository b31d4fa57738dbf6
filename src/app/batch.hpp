// The batch run: one program assembled and run to its end with no window, its
// standard input and output on the process's own.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string_view>

#include "machine/charset.hpp"
#include "workbench/workbench.hpp"

namespace comet {

class TraceFile;

constexpr size_t kInputLineLimit = 64 * 1024;  // the longest line IN reads; IN keeps at most 400 characters of it

// Exit statuses of a batch run.
enum BatchStatus : int {
    kRanExit = 0,       // the program ran EXIT
    kAsmErrors = 1,     // the assembler reported an error; nothing was run
    kBadInput = 2,      // a line of standard input was longer than kInputLineLimit: the run stopped there
    kStepLimit = 3,     // the step limit was reached without EXIT
    kAddressFault = 4,  // the run stopped on an access outside memory
    kEndlessLoop = 5,   // the machine came back to an earlier state: the program can never end
    kEngineError = 6,   // the engine reported an error (a word that is no instruction, a bad register, a push error)
};

// Assembles `source`, read from `file`, and runs it from address 0 in Run Mode with
// endless-loop detection. Messages go to `err` one per line, and the assembler's then once
// more as "FILE:LINE:COLUMN: message"; IN reads a line of `in`; OUT writes its text and a
// newline to `out`. When `out` fails, the run ends as Cancel in the output box ends it.
// With a `trace`, every step goes to it as a row.
BatchStatus runBatch(const Text& source, std::string_view file, long maxSteps, std::istream& in, std::ostream& out,
                     std::ostream& err, TraceFile* trace = nullptr);

}  // namespace comet
