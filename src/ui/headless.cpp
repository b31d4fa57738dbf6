#include "ui/headless.hpp"

#include <utility>

namespace comet {

void HeadlessDisplay::record(ShownBox box) {
    shown.push_back(std::move(box));
    if (onShown) onShown(shown.back());
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
}

bool HeadlessDisplay::stopRequested() {
    if (!stepsLeft_) return false;
    return --*stepsLeft_ <= 0;
}

void HeadlessDisplay::runEnded() { stepsLeft_.reset(); }

}  // namespace comet
