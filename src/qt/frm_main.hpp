// The main window frmMain, "COMET Emulation": the Qt binding of the workbench.
//
// The window owns the one Workbench and is its Display. It adds no logic: every user
// action goes to its handler, and after it the window shows the state the logic left
// (mirror). Writes of the mirror never come back as user events: signals are blocked
// while it writes, and the register boxes report only the user's own edits.
//
// The classic controls fill the central area at their places in twips; below them a
// status bar tells how the last "Exec" press ended and counts the last ASM's problems,
// and a click on that count shows the problem list, docked below. Above them a menu
// bar opens and saves the program as a file (File), gives every command a key (Run)
// and scales the whole window for a projector (View, which also shows the output
// console). The central area scrolls when the window is smaller than the controls need.
// After each step the controls bring into view what the logic says must be seen.
//
// Debugging: breakpoints are set by a click in the editor's gutter, F9 and a
// double-click on a listing line, and drawn beside their lines; a tool bar over the
// panel of "ASM" and "Exec" holds Back, Run to cursor, Reset and the watching speed,
// which the Run menu has with their keys. A run at a watching speed is stepped by a
// timer, the window repainted after each instruction.
//
// The window's own texts (its menus, bars, docks, tooltips and boxes) come from the
// catalogue in the current language; View > Language draws them all anew at once. The
// keyboard reaches what the pointer shows: the reading of a list's current line or of a
// register box with the focus.
#pragma once

#include <QMainWindow>
#include <QPalette>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QTranslator>

#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "workbench/display.hpp"
#include "files/document.hpp"
#include "qt/recovery_store.hpp"
#include "qt/run_monitor.hpp"
#include "qt/window_texts.hpp"
#include "workbench/workbench.hpp"

class QAction;
class QComboBox;
class QDockWidget;
class QGroupBox;
class QLabel;
class QLineEdit;
class QKeySequence;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollArea;
class QToolBar;
class QToolButton;

namespace comet {

class ClickableLabel;
class ConsolePane;
class FrmText;
class SourceEditor;

class FrmMain : public QMainWindow, public Display {
    Q_OBJECT

public:
    FrmMain();  // creates the controls and runs Form_Load
    ~FrmMain() override;

    Workbench& workbench() { return wb_; }
    FrmText* viewer() const;  // the open viewer, or null
    void mirror();                                // shows the logic's state in every control

    // ---- The program as a file (each asks first when unsaved changes would be lost) ----
    const Document& document() const { return doc_; }
    bool hasUnsavedChanges() const;
    void newDocument();                     // an empty editor with no file
    bool openFile(const QString& path);     // false when nothing was opened (a bad file, or Cancel)
    bool save();                            // to the document's file, else as Save As; false when not saved
    bool saveAs();                          // to a file the user chooses
    bool saveTo(const QString& path);       // writes the document there; reports a failure
    void offerRecovery();                   // at start: a copy of unsaved work a crashed workbench left
    const RecoveryStore& recovery() const { return recovery_; }
    static constexpr int kRecoveryDelayMs = 2000;  // from an edit to its recovery copy

    // ---- Zoom and what the next start remembers ----
    int zoomPercent() const;
    void zoomBy(int steps);  // steps up (positive) or down the zoom levels; 0 resets to 100 %
    // The zoom, the window's size and place and the watching speed the last window left;
    // a first start keeps the design's size.
    void restoreSettings();

    // ---- Display ----
    void messageBox(const Text& text, const Text& title) override;
    bool okCancelBox(const Text& text, const Text& title) override;
    Text inputBox(const Text& prompt) override;
    void runStarted() override { monitor_.start(); }
    bool stopRequested() override { return monitor_.stopRequested(); }
    void runEnded() override;
    void focusText1() override;
    void makeText1FirstInTabOrder() override;
    void showViewer() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void readRowForTip(QListWidget* list, QEvent* event);
    QString readingOfRow(QListWidget* list, int row) const;
    void showReadingOfCurrentRow(QListWidget* list);
    void showReadingOnFocus(QObject* control);
    // A control's place in the design (twips) and how it takes extra room.
    struct Placement {
        QWidget* widget;
        int x, y, width, height;
        int column;   // 0..2: the three tall columns; 3: the right-hand panel
        bool widens;  // takes its column's share of extra width
        bool grows;   // takes all extra height
    };

    // ---- Building ----
    void createControls();
    void createRegisterFrame();
    void createStatusAndProblems();
    void wireEvents();
    void placeControls();
    void placeRegisterFrame();
    int pixels(int twips, int dpi) const;  // a design length at the zoom

    // ---- Menus ----
    void createMenus();
    void createFileMenu();
    void createRunMenu();
    void createSpeedMenu();
    void createViewMenu();
    void createConsole();
    void createLanguageMenu(QMenu* view);
    void showInLanguage(Language language);  // every text of the window's own drawn anew
    void createDebugBar();  // the debugging actions of the Run menu, over the panel
    // An action of the Run menu, with its key in the menu and in its control's tooltip.
    QAction* addRunAction(Msg text, const QKeySequence& key, QWidget* control, Msg tip, std::function<void()> handler);

    // ---- Files ----
    bool askToSaveChanges();  // true when the changes were saved or may be thrown away
    bool openFrom(const QString& path, bool fromRecent);
    void loadDocument(Document doc);  // the editor shows the document's text, with a fresh undo history
    void showFileError(const std::string& message);
    void rememberRecent(const QString& path);
    void forgetRecent(const QString& path);
    void fillRecentMenu();
    QString dialogFolder() const;  // where the file dialogs open
    void keepRecoveryCopy();

    // ---- Zoom ----
    void applyZoom();
    void zoomTo(int percent);  // a level of the zoom, else 100 %
    void growToFit();  // the window takes the room the zoomed controls need, within the screen
    void rememberSettings();

    // ---- Events ----
    template <class Handler>
    void deliver(Handler&& handler);  // runs one handler unless one is running, then mirrors
    void editorChanged();             // the user's text or selection in Text1
    void beforeModalBox() { mirror(); }
    void afterModalBox() { monitor_.restartClock(); }
    void viewerResized(int outerWidth, int outerHeight);
    void askToQuit();  // after a run that a close request stopped
    QPoint runBoxPlace(QSize box) const;  // where the Run Mode box stands clear of the lists

    // ---- Debugging ----
    void press(bool toCursor);         // "Exec" or "Run to cursor": whole, or watched at the set speed
    void watchTick();                  // the next instruction of a watched press, or its Stop

    // ---- Mirror ----
    void mirrorEditor();
    void mirrorEditorSelection();
    void mirrorBoxesAndLabels();
    void mirrorChooser();
    void mirrorProblems();  // marks, underlines, the PC's line, the list and its count
    void mirrorChanges();   // what the last Debug Mode step changed
    void mirrorDocument();  // the title, and a recovery copy due after an edit
    void mirrorBreakpoints();  // beside the editor's lines and the listing's
    void mirrorDebugging();    // the status bar, Back, the speed
    void mirrorView();         // after a step, Back or a run's end: its places brought into view
    void mirrorConsole();

    Workbench wb_;
    RunMonitor monitor_;
    bool inHandler_ = false;
    bool askToQuitAfterRun_ = false;  // a close request stopped the run under way
    WindowTexts texts_;
    QTranslator qtTexts_;  // Qt's own texts in the language (it leaves the application with the window)

    // ---- The document ----
    Document doc_ = startDocument();
    RecoveryStore recovery_;
    QTimer recoveryTimer_;  // runs from an edit until its recovery copy is written
    Text keptText_;         // the text the recovery copy (or its absence) is for
    size_t zoomLevel_;      // index into the zoom levels
    QSize zoomSized_;       // the size the zoom last gave the window

    // ---- Controls ----
    QScrollArea* scroll_ = nullptr;  // shows the classic controls, with scroll bars when the window is small
    QWidget* central_ = nullptr;     // holds the classic controls
    SourceEditor* text1_ = nullptr;
    QListWidget* list1_ = nullptr;
    QListWidget* list2_ = nullptr;
    std::array<QLineEdit*, kBoxCount> txtGR_{};
    QComboBox* combo1_ = nullptr;
    ClickableLabel* label3_ = nullptr;
    QLabel* label6_ = nullptr;
    std::array<QPushButton*, 5> command_{};  // Command1..Command5
    QGroupBox* frame_ = nullptr;
    std::array<QLabel*, kBoxCount - 1> frameLabels_{};  // GR0..GR4 and FR, in the frame
    QPointer<FrmText> viewer_;
    std::vector<Placement> placements_;

    // ---- Around the classic controls ----
    QLabel* runStatus_ = nullptr;          // how the last "Exec" press ended
    QToolButton* problemCount_ = nullptr;  // the last ASM's problems counted; shows the list
    QDockWidget* problemDock_ = nullptr;
    QListWidget* problemList_ = nullptr;
    QAction* replaceTabs_ = nullptr;
    QMenu* runMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QPalette boxPalette_;  // a register box's own colours
    ConsolePane* console_ = nullptr;
    QAction* consoleAction_ = nullptr;

    // ---- Debugging ----
    QToolBar* debugBar_ = nullptr;
    QAction* back_ = nullptr;
    QAction* runToCursor_ = nullptr;
    QAction* reset_ = nullptr;
    QMenu* speedMenu_ = nullptr;
    std::vector<std::pair<int, QAction*>> speedActions_;  // by instructions a second (0: full speed)
    QLabel* undoLimit_ = nullptr;  // how far Back reaches once the undo memory dropped older steps
    QTimer watchTimer_;            // steps a watched press

    // ---- What the controls show ----
    Text shownSource_;      // the logic's text that Text1 shows
    Text shownWidgetText_;  // Text1's own text for it
    int32_t shownSelStart_ = 0;
    int32_t shownSelLength_ = 0;
    std::vector<Text> shownList1_;
    MemoryDump shownList2_;
    std::vector<Text> shownItems_;
    ChangeMarks shownChanges_;
    uint64_t shownViewFollows_ = 0;
};

template <class Handler>
void FrmMain::deliver(Handler&& handler) {
    if (inHandler_) return;
    inHandler_ = true;
    std::forward<Handler>(handler)();
    inHandler_ = false;
    mirror();
}

}  // namespace comet
