#include "session/headless.hpp"

#include <utility>

namespace comet {

void HeadlessDisplay::record(ShownBox box) {
    if (onShown) onShown(box);
    if (keepShown) shown.push_back(std::move(box));
}

void HeadlessDisplay::messageBox(const Text& text, const Text& title) {
    record({ShownBox::Message, title, text, true});
}

bool HeadlessDisplay::okCancelBox(const Text& text, const Text& title) {
    bool ok = true;
    if (!okCancelAnswers.empty()) {
        ok = okCancelAnswers.front();
        okCancelAnswers.pop_front();
    }
    record({ShownBox::OkCancel, title, text, ok});
    return ok;
}

Text HeadlessDisplay::inputBox(const Text& prompt) {
    Text answer;
    if (!inputAnswers.empty()) {
        answer = inputAnswers.front().value_or(Text{});
        inputAnswers.pop_front();
    }
    record({ShownBox::Input, prompt, answer, true});
    return answer;
}

void HeadlessDisplay::runStarted() {
    ++runCount;
    stepsLeft_ = interruptAfter;
    interruptAfter.reset();
    steps_ = 0;
    stoppedByStepLimit = false;
}

bool HeadlessDisplay::stopRequested() {
    if (stepLimit && ++steps_ >= *stepLimit) {
        stoppedByStepLimit = true;
        return true;
    }
    if (!stepsLeft_) return false;
    return --*stepsLeft_ <= 0;
}

void HeadlessDisplay::runEnded() { stepsLeft_.reset(); }

}  // namespace comet
