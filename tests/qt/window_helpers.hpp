// What the window tests share: finding a control by its name, pressing buttons, typing
// a source and answering the modal boxes a press shows.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

#include "machine/charset.hpp"
#include "qt/frm_main.hpp"

class QLineEdit;
class QTimer;

namespace comet {

class SourceEditor;

template <class T>
T* control(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QLatin1String(name));
    if (found == nullptr) qFatal("no control %s", name);
    return found;
}

// A loop that runs until it is stopped: GR2 counts the times GR1 wraps around, so the
// machine comes back to an earlier state only after 2^32 rounds, too late for the
// window's endless-loop detection to end a test's run.
inline const QString kCountingLoop = QStringLiteral(
    "S1  START\n"
    "L1  ADD   GR1,ONE\n"
    "    JNZ   L1\n"
    "    ADD   GR2,ONE\n"
    "    JMP   L1\n"
    "ONE DC    1\n"
    "    END\n");

void activate(FrmMain& w);                           // shows the window and waits until it is the active one

// The main window as a test starts with it: shown, or shown and active.
struct ShownWindow : FrmMain {
    ShownWindow();
};
struct ActiveWindow : FrmMain {
    ActiveWindow();
};

QLineEdit* box(FrmMain& w, int k);                   // register box txtGR(k)
SourceEditor* editorOf(FrmMain& w);                  // Text1
QString statusOf(FrmMain& w);                        // the status bar's account of the last press
void press(FrmMain& w, const char* command);         // clicks the button of that name
void switchToRunMode(FrmMain& w);                    // clicks the mode label in Debug Mode
void typeSource(FrmMain& w, const QString& source);  // the user types a new source into the editor
void assemble(FrmMain& w, const QString& source);    // types the source and presses ASM, answering its boxes
void startRunModeWith(FrmMain& w, const QString& source);  // assembles the source and switches to Run Mode
QString plainOf(const Text& logic);                  // a logic text as the editor shows it

// With COMET_SCREENSHOT_DIR set, saves the window as the user sees it there, for a
// person to look at; true when saved or not asked for.
bool saveShot(QWidget& w, const char* name);

// An action under test that opens a window does not return until the window is
// answered, so the answer comes from a timer: it calls `answer` with the first widget
// `find` gives, looking every 5 ms.
void whenFound(std::function<QWidget*()> find, std::function<void(QWidget*)> answer);
void whenModal(std::function<void(QWidget*)> answer);  // answers the active modal widget
QWidget* modalNamed(const char* name);                  // the active modal box, when it has that object name
QWidget* runBox();                                      // the Run Mode box while it is shown; it is not modal

// Answers every message box (of that object name, when one is given) with `button`
// while it lives, recording their texts.
class MessageAnswerer {
public:
    explicit MessageAnswerer(QMessageBox::StandardButton button = QMessageBox::Ok, const char* name = nullptr);
    ~MessageAnswerer();
    QStringList seen;    // their texts
    QStringList titles;  // their titles

private:
    std::unique_ptr<QTimer> timer_;
};

}  // namespace comet
