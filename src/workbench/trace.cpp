#include "workbench/trace.hpp"

#include <vector>

#include "machine/hex.hpp"
#include "machine/machine.hpp"

namespace comet {
namespace {

void appendBox(Text& out, const BoxSnapshot& box) { out += box.value >= 0 ? cnvHex4(box.value) : box.text; }

}  // namespace

Text traceStepText(const TraceStep& step) {
    Text out = u"\r\n*Exec Address = ";
    appendBox(out, step.pcBox);
    out += u" Code=" + cnvHex4(step.word);
    if (!step.complete) return out;
    if (step.detail == TraceStep::Return) {
        out += u" Return Address=" + cnvHex4(step.operand);
    } else if (step.detail == TraceStep::Effective) {
        out += u" Effective Address=" + cnvHex4(step.operand) + u" Register No. = ";
        out += static_cast<char16_t>(u'0' + step.registerNo);
    }
    out += u"\r\n      After";
    for (size_t i = 0; i < step.after.size(); ++i) {
        out += u' ' + fromAscii(kRegisterNames[i]) + u':';
        appendBox(out, step.after[i]);
    }
    out += u"\r\n";
    return out;
}

TraceStep& TraceLog::begin() {
    TraceStep& step = ring_[count_++ % kSteps];
    step.complete = false;
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
