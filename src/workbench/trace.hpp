// The execution history: the trace of every executed step, of which the user sees
// the last 5000 characters. Steps are kept as numbers and made into text only when
// the history is shown, so that a long run costs no text work per step.
#pragma once

#include <array>
#include <cstdint>

#include "machine/charset.hpp"

namespace comet {

constexpr size_t kHistoryLimit = 5000;  // the history keeps its last 5000 characters

// A register box's text as a step saw it.
struct BoxSnapshot {
    int32_t value = 0;  // 0..FFFF when the text is exactly cnvHex4 of it; -1 when `text` holds it
    Text text;          // the text the user left in the box, when not four hexadecimal digits
};

struct TraceStep {
    enum Detail : uint8_t { None, Return, Effective };
    BoxSnapshot pcBox;                  // the PC box when the step began
    uint16_t word = 0;                  // the first word's low 16 bits
    Detail detail = None;               // what the first line ends with (None: EXIT or a fault)
    uint8_t registerNo = 0;             // the register field, for Effective
    uint16_t operand = 0;               // the effective or return address, low 16 bits
    std::array<BoxSnapshot, 6> after;   // GR0..GR4 and FR boxes when the step ended
    bool complete = false;              // false while the step is under way: only its first line counts
};

class TraceLog {
public:
    void clear() { count_ = 0; }
    TraceStep& begin();  // a new step at the end of the history; its first line counts at once
    Text text() const;   // the history as shown: the last 5000 characters of every step's text
    uint64_t steps() const { return count_; }  // steps since the history was emptied
    // Step n (0 = the first since emptied), or nothing once newer steps have pushed it out.
    const TraceStep* step(uint64_t n) const { return n < count_ && count_ - n <= kSteps ? &ring_[n % kSteps] : nullptr; }

private:
    // Every step adds at least 72 characters, so 70 steps always fill 5000 characters.
    static constexpr size_t kSteps = 128;
    std::array<TraceStep, kSteps> ring_;
    uint64_t count_ = 0;  // steps since the history was emptied
};

// The text one step adds to the history.
Text traceStepText(const TraceStep& step);

}  // namespace comet
