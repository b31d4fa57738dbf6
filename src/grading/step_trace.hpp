// The execution history as rows, one per executed step: the facts the history
// viewer shows of a step, with the registers as they really are after it and the
// memory words it wrote. Rows are made as a run goes, one at a time, so a trace of
// millions of steps is written out without being kept, and two runs can be compared
// step by step.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "workbench/workbench.hpp"

namespace comet {

// ---- Rows -------------------------------------------------------------------------

struct WordWrite {
    int32_t address = 0;  // machine address (-1 for cell 0, which only the stack reaches)
    int32_t value = 0;    // the word's value after the step
    bool operator==(const WordWrite&) const = default;
};

struct StepRow {
    uint64_t step = 0;                 // 1 for the first step of the run
    int32_t pc = 0;                    // address of the instruction
    std::array<int32_t, 2> words{};    // its words as they were before the step
    int wordCount = 1;                 // 1 for EXIT and RET (and at the last address), else 2
    std::string_view mnemonic;         // "" for a word that is no instruction of the machine
    TraceStep::Detail detail = TraceStep::None;  // what `operand` and `registerNo` stand for
    int32_t operand = 0;               // the effective address, or RET's return address
    int registerNo = 0;                // the register field, with an effective address
    std::array<int32_t, 6> registers{};  // GR0..GR4 and FR after the step
    std::vector<WordWrite> writes;     // memory words the step wrote, by address
    bool operator==(const StepRow&) const = default;
};

// The mnemonic of an instruction's first word, as the engine takes it.
std::string_view mnemonicOf(int32_t word);

// ---- Making rows as a run goes ----------------------------------------------------

// Follows the runs of one workbench. Ask `take` after every step: it makes the row of
// the step that has just ended.
class StepRecorder {
public:
    // A run begins: its steps are counted from here, and memory as it stands is what
    // the first step finds.
    void start(Workbench& wb);
    // The row of the step ended since the last call into `row`; false when none has.
    bool take(Workbench& wb, StepRow& row);

private:
    std::array<int32_t, kCellCount> memory_{};  // every cell's value before the next step (for its words)
    uint64_t firstStep_ = 0;                    // history steps before the run began
    uint64_t taken_ = 0;                        // history steps made into rows
};

// ---- Written out ------------------------------------------------------------------

// CSV: a header line, then one line per row (LF line ends, no quoting needed).
std::string_view traceCsvHeader();
std::string traceCsvLine(const StepRow& row);

// JSON: an array with one object per row, each row on a line of its own.
std::string traceJsonLine(const StepRow& row);

}  // namespace comet
