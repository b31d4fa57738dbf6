// Keeps the window alive while a Run Mode run stays inside the "Exec" handler.
//
// The run loop asks stopRequested() after every step, so the per-step cost here is
// one counter test. Every few hundred steps the clock is read: once a run has lasted
// about a third of a second a modal "Run Mode" box appears with the number of executed
// instructions and a Stop button (Esc too), and from then on the main window is
// repainted from the logic's state and the window's events are handled about thirty
// times a second. The box is modal, so no other handler can start during the run.
#pragma once

#include <QElapsedTimer>

#include <cstdint>
#include <functional>
#include <memory>

class QDialog;
class QLabel;
class QWidget;

namespace comet {

class RunMonitor {
public:
    RunMonitor(QWidget* owner, std::function<void()> repaint);
    ~RunMonitor();
    RunMonitor(const RunMonitor&) = delete;
    RunMonitor& operator=(const RunMonitor&) = delete;

    void start();  // an "Exec" press begins
    void end();    // the press has ended: the box goes away
    bool stopRequested() { return (++steps_ & kClockMask) != 0 ? stopped_ : checkClock(); }
    void restartClock();  // a modal box of the run was answered: its time is not run time
    bool running() const { return running_; }

    static constexpr int kBoxDelayMs = 333;     // a run shorter than this shows no box
    static constexpr int kRepaintEveryMs = 33;  // about thirty repaints a second

private:
    static constexpr uint64_t kClockMask = 255;  // the clock is read every 256 steps

    bool checkClock();
    void showBox();
    void showCount();

    QWidget* owner_;
    std::function<void()> repaint_;  // mirrors the logic's state into the main window
    std::unique_ptr<QDialog> box_;
    QLabel* count_ = nullptr;  // the box's count of executed instructions
    QElapsedTimer clock_;
    int64_t lastRepaintMs_ = 0;
    uint64_t steps_ = 0;
    bool stopped_ = false;
    bool running_ = false;
};

}  // namespace comet
