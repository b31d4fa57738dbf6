// What the workbench's logic asks of the platform that shows it.
//
// The logic keeps every displayed text itself (the Workbench); a display only
// shows that state and answers the modal boxes. The Qt window and the headless
// session driver are the two implementations.
#pragma once

#include "machine/charset.hpp"

namespace comet {

inline const Text kAppTitle = u"COMET Emulation";  // the main window's title, and that of untitled boxes

class Display {
public:
    virtual ~Display() = default;

    // ---- Modal boxes ----
    virtual void messageBox(const Text& text, const Text& title) = 0;  // OK button only
    virtual bool okCancelBox(const Text& text, const Text& title) = 0; // true when OK was pressed
    virtual Text inputBox(const Text& prompt) = 0;                      // the empty text when cancelled
    // Whether the last input box came after the end of the input, so that it and every
    // later one read the same empty text: a loop through such INs can never end.
    virtual bool inputHadEnded() const { return false; }

    // ---- Run Mode ----
    virtual void runStarted() = 0;     // an "Exec" press begins (either mode)
    virtual bool stopRequested() = 0;  // asked after every Run Mode step; must be cheap
    virtual void runEnded() = 0;       // the press has ended, however it ended

    // ---- Focus and windows ----
    virtual void focusText1() = 0;              // give the input focus to the source editor
    virtual void makeText1FirstInTabOrder() = 0;
    virtual void showViewer() = 0;  // the viewer's caption and text are set: make it visible and active
};

// A display with no one in front of it: it shows nothing, answers every box at once
// (OK, an empty input) and never asks a run to stop. Machines run again behind the
// scenes and graded runs start from it.
class SilentDisplay : public Display {
public:
    void messageBox(const Text&, const Text&) override {}
    bool okCancelBox(const Text&, const Text&) override { return true; }
    Text inputBox(const Text&) override { return {}; }
    void runStarted() override {}
    bool stopRequested() override { return false; }
    void runEnded() override {}
    void focusText1() override {}
    void makeText1FirstInTabOrder() override {}
    void showViewer() override {}
};

// What a box shows of a text: a character of code 0 (OUT's zero bytes) shows as nothing.
inline Text visibleText(TextView text) {
    Text shown;
    shown.reserve(text.size());
    for (const char16_t c : text)
        if (c != u'\0') shown += c;
    return shown;
}

}  // namespace comet
