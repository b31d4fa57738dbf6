// The page as the workbench's display: modal boxes are in-page dialogs that the logic
// waits for, and a Run Mode press pauses about thirty times a second so that the page
// repaints from the state and stays responsive; a press that lasts a third of a second
// shows the progress dialog with its Stop button.
#pragma once

#include <cstdint>

#include "workbench/display.hpp"

namespace comet {

class WebDisplay : public Display {
public:
    static constexpr double kProgressDelayMs = 333;  // a shorter run shows no progress dialog
    static constexpr double kPauseEveryMs = 33;      // about thirty pauses a second

    // ---- Modal boxes (the press waits for the user's answer) ----
    void messageBox(const Text& text, const Text& title) override;
    bool okCancelBox(const Text& text, const Text& title) override;
    Text inputBox(const Text& prompt) override;

    // ---- Run Mode ----
    void runStarted() override;
    bool stopRequested() override { return (++steps_ & kClockMask) != 0 ? stopped_ : checkClock(); }
    void runEnded() override;
    bool running() const { return running_; }

    // ---- Focus and windows ----
    void focusText1() override;
    void makeText1FirstInTabOrder() override;
    void showViewer() override;

private:
    static constexpr uint64_t kClockMask = 255;  // the clock is read every 256 steps

    bool checkClock();     // pauses when the time has come; true once the user stopped the run
    void restartClock();   // time spent in a modal box is not run time

    double startMs_ = 0;
    double lastPauseMs_ = 0;
    uint64_t steps_ = 0;
    bool stopped_ = false;
    bool running_ = false;
};

}  // namespace comet
