// The execution history: the trace of every executed step, of which the user sees
// the last 5000 characters. Steps are kept as numbers and made into text only when
// the history is shown, so that a long run costs no text work per step.
#pragma once

#include <array>
#include <cstdint>

#include "machine/charset.hpp"

namespace comet {

constexpr size_t kHistoryLimit = 5000;  // the history keeps its last 5000 characters

struct TraceStep {
    enum Detail : uint8_t { None, Return, Effective };
    // Everything a step notes but the texts of boxes that did not show four digits: one
    // block of numbers, which step back copies whole. Box 0 is the PC box when the step
    // began, boxes 1..6 the GR0..GR4 and FR boxes when it ended.
    struct Numbers {
        std::array<uint16_t, 7> boxes{};  // the value whose four digits each box showed
        uint16_t word = 0;                // the first word's low 16 bits
        uint16_t operand = 0;             // the effective or return address, low 16 bits
        Detail detail = None;             // what the first line ends with (None: EXIT or a fault)
        uint8_t registerNo = 0;           // the register field, for Effective
        bool complete = false;            // false while the step is under way: only its first line counts
        uint8_t textBoxes = 0;            // bit j: box j showed another text, kept in `texts`
    };
    Numbers n;
    std::array<Text, 7> texts;  // texts[j]: the text box j showed, where bit j of n.textBoxes is set
};

class TraceLog {
public:
    void clear() { count_ = 0; }
    TraceStep& begin();  // a new step at the end of the history; its first line counts at once
    Text text() const;   // the history as shown: the last 5000 characters of every step's text
    uint64_t steps() const { return count_; }  // steps since the history was emptied
    // Step n (0 = the first since emptied), or nothing once newer steps have pushed it out.
    const TraceStep* step(uint64_t n) const { return n < count_ && count_ - n <= kSteps ? &ring_[n % kSteps] : nullptr; }

    // ---- Taking a step back ----
    const TraceStep& slotOfNext() const { return ring_[count_ % kSteps]; }  // what the next begin() writes over
    // Undoes the last begin(): the step is gone and its slot holds again what it held before.
    void takeBack(const TraceStep& before) { ring_[--count_ % kSteps] = before; }

private:
    // Every step adds at least 72 characters, so 70 steps always fill 5000 characters.
    static constexpr size_t kSteps = 128;
    std::array<TraceStep, kSteps> ring_;
    uint64_t count_ = 0;  // steps since the history was emptied
};

// The text one step adds to the history.
Text traceStepText(const TraceStep& step);

}  // namespace comet
