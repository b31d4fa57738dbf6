// Keeps the window alive while a Run Mode run stays inside the "Exec" handler.
//
// The run loop asks stopRequested() after every step, so the per-step cost here is
// one counter test. Every few hundred steps the clock is read: once a run has lasted
// about a third of a second a "Run Mode" box appears with the number of executed
// instructions and a Stop button (Esc too), and from then on the main window is
// repainted from the logic's state and the window's events are handled about thirty
// times a second. While the box is up, the user's input to the main window is dropped,
// so no other handler can start during the run; the box is not modal, because a modal
// box would keep the window system's close request from the main window too.
//
// A run watched at a set speed is stepped by the window's timer instead: its box and the
// filter are there from its start, and a Stop is handed to the window at once.
#pragma once

#include <QElapsedTimer>

#include <cstdint>
#include <functional>
#include <memory>

#include <QPoint>
#include <QSize>

class QAction;
class QDialog;
class QLabel;
class QObject;
class QWidget;

namespace comet {

class RunMonitor {
public:
    // `stopWatched`: the user asked a watched run to stop (called in the event loop, never inside the box's own signal).
    RunMonitor(QWidget* owner, std::function<void()> repaint, std::function<void()> stopWatched);
    ~RunMonitor();
    RunMonitor(const RunMonitor&) = delete;
    RunMonitor& operator=(const RunMonitor&) = delete;

    void start();  // an "Exec" press begins
    void end();    // the press has ended: the box goes away
    bool stopRequested() { return (++steps_ & kClockMask) != 0 ? stopped_ : checkClock(); }
    void restartClock();  // a modal box of the run was answered: its time is not run time
    void stop();          // the run ends after the step under way
    bool running() const { return running_; }
    // Esc in the main window: stops the run; enabled only while one is under way. Its
    // shortcut passes the filter that drops the user's other input during the run.
    QAction* stopAction() const { return stopAction_; }
    // Where the box goes: `place` gives its top left corner for its size; by default the
    // owner's top right.
    void placeBoxWith(std::function<QPoint(QSize)> place) { place_ = std::move(place); }

    // ---- A watched run ----
    void watch();                    // the press just started is watched: its box at once
    void showSteps(uint64_t steps);  // the box's count, after each of its steps
    bool stopAsked() const { return stopped_; }

    static constexpr int kBoxDelayMs = 333;     // a run shorter than this shows no box
    static constexpr int kRepaintEveryMs = 33;  // about thirty repaints a second

private:
    static constexpr uint64_t kClockMask = 255;  // the clock is read every 256 steps

    bool checkClock();
    void showBox();
    void placeBox();
    void showCount();

    QWidget* owner_;
    QAction* stopAction_;  // owned by the owner window
    std::function<void()> repaint_;  // mirrors the logic's state into the main window
    std::function<void()> stopWatched_;  // hands a Stop to the window that steps a watched run
    std::function<QPoint(QSize)> place_;
    bool watched_ = false;  // the run under way is stepped by the window
    std::unique_ptr<QDialog> box_;
    std::unique_ptr<QObject> inputGuard_;  // drops the user's input to the main window while the box is up
    QLabel* count_ = nullptr;  // the box's count of executed instructions
    QElapsedTimer clock_;
    int64_t lastRepaintMs_ = 0;
    uint64_t steps_ = 0;
    bool stopped_ = false;
    bool running_ = false;
};

}  // namespace comet
