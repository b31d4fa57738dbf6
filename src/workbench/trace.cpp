#include "workbench/trace.hpp"

#include <vector>

#include "machine/hex.hpp"
#include "machine/machine.hpp"

namespace comet {
namespace {

void appendBox(Text& out, const TraceStep& step, size_t j) {
    out += (step.n.textBoxes >> j & 1u) != 0 ? step.texts[j] : cnvHex4(step.n.boxes[j]);
}

}  // namespace

Text traceStepText(const TraceStep& step) {
    const TraceStep::Numbers& n = step.n;
    Text out = u"\r\n*Exec Address = ";
    appendBox(out, step, 0);
    out += u" Code=" + cnvHex4(n.word);
    if (!n.complete) return out;
    if (n.detail == TraceStep::Return) {
        out += u" Return Address=" + cnvHex4(n.operand);
    } else if (n.detail == TraceStep::Effective) {
        out += u" Effective Address=" + cnvHex4(n.operand) + u" Register No. = ";
        out += static_cast<char16_t>(u'0' + n.registerNo);
    }
    out += u"\r\n      After";
    for (size_t i = 0; i < kRegisterNames.size(); ++i) {
        out += u' ' + fromAscii(kRegisterNames[i]) + u':';
        appendBox(out, step, i + 1);
    }
    out += u"\r\n";
    return out;
}

TraceStep& TraceLog::begin() {
    TraceStep& step = ring_[count_++ % kSteps];
    step.n.complete = false;
    step.n.textBoxes = 0;
    return step;
}

Text TraceLog::text() const {
    // The newest steps that together reach 5000 characters, oldest first.
    std::vector<Text> parts;
    size_t length = 0;
    for (uint64_t i = count_; i > 0 && count_ - i < kSteps && length < kHistoryLimit; --i) {
        parts.push_back(traceStepText(ring_[(i - 1) % kSteps]));
        length += parts.back().size();
    }
    Text out;
    out.reserve(length);
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) out += *it;
    if (out.size() > kHistoryLimit) out.erase(0, out.size() - kHistoryLimit);
    return out;
}

}  // namespace comet
