// A display with no window: it answers the modal boxes from queues and records
// every box it shows. Tests and the session driver use it.
//
// No one can press Stop here, so a Run Mode press may have a step limit that ends it
// as Stop would.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "workbench/display.hpp"

namespace comet {

constexpr long kDefaultMaxSteps = 10'000'000;  // the command line's step limit of a Run Mode press

struct ShownBox {
    enum Kind { Message, OkCancel, Input } kind;
    Text title;   // the prompt, for an input box
    Text text;    // the message; for an input box, the text returned
    bool ok = true;  // the button of an OK/Cancel box
    bool operator==(const ShownBox&) const = default;
};

class HeadlessDisplay : public Display {
public:
    // ---- Answers ----
    std::deque<bool> okCancelAnswers;          // true = OK; an empty queue answers OK
    std::deque<std::optional<Text>> inputAnswers;  // nothing = Cancel; an empty queue cancels
    std::optional<long> interruptAfter;        // the next "Exec" press stops a Run Mode run after N steps
    std::optional<long> stepLimit;             // every Run Mode press stops after N steps

    // ---- Record ----
    bool keepShown = true;                         // false: boxes only go to onShown, so none is kept
    std::vector<ShownBox> shown;                   // every modal box, in order
    std::function<void(const ShownBox&)> onShown;  // told of each box as it is shown
    bool stoppedByStepLimit = false;               // the step limit ended the last press
    int focusCount = 0;                            // times the focus went to Text1
    int tabOrderCount = 0;                         // times Text1 was made first in the tab order
    int viewerShowCount = 0;                       // times the viewer was shown
    int runCount = 0;                              // "Exec" presses (runs started)

    void stopAfterThisStep() { stepsLeft_ = 1; }  // ends a Run Mode press under way, as Stop does

    void messageBox(const Text& text, const Text& title) override;
    bool okCancelBox(const Text& text, const Text& title) override;
    Text inputBox(const Text& prompt) override;
    void runStarted() override;
    bool stopRequested() override;
    void runEnded() override;
    void focusText1() override { ++focusCount; }
    void makeText1FirstInTabOrder() override { ++tabOrderCount; }
    void showViewer() override { ++viewerShowCount; }

private:
    std::optional<long> stepsLeft_;  // the armed interrupt of the press under way
    long steps_ = 0;                 // Run Mode steps of the press under way
    void record(ShownBox box);
};

}  // namespace comet
