// The window follows the learner: every program opened or made new starts on a clean
// machine with the editor focused; after each step the PC's line and the word the step
// wrote are in view; OUT and IN go to the output console when it is on; the boxes and
// the viewer behave as a desktop's do; zoom scales the whole window and is remembered, with the language.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

#include "session/source_lines.hpp"
#include "workbench/messages.hpp"
#include "qt/frm_main.hpp"
#include "qt/frm_text.hpp"
#include "qt/qt_text.hpp"
#include "qt/source_editor.hpp"
#include "window_helpers.hpp"

using namespace comet;

namespace {

QString squaresPath() { return QStringLiteral(COMET_SESSIONS_DIR "/files/squares.casl"); }

// Whether editor line `line` (from 1) is on the editor's screen.
bool lineInView(QPlainTextEdit* edit, int line) {
    const int first = edit->cursorForPosition(QPoint(0, 0)).blockNumber();
    const int last = edit->cursorForPosition(QPoint(0, edit->viewport()->height() - 1)).blockNumber();
    return line - 1 >= first && line - 1 <= last;
}

// Whether row `row` of the list is on its screen, top to bottom (a long line may run past the right edge).
bool rowInView(QListWidget* list, int row) {
    const QRect r = list->visualItemRect(list->item(row));
    return r.height() > 0 && r.top() >= 0 && r.bottom() < list->viewport()->height();
}

// The first dump row the last step marked as changed, or -1.
int firstChangedRow(FrmMain& w) {
    const auto& words = w.workbench().changed.words;
    for (int a = 0; a < control<QListWidget>(w, "List2")->count(); ++a)
        if (words[static_cast<size_t>(a)]) return a;
    return -1;
}

// A clock that moves only when a test moves it: the machine itself takes no time on it.
double fakeNow = 0;
double fakeClock() { return fakeNow; }

QAction* menuAction(FrmMain& w, const QString& text) {
    for (QAction* action : w.findChildren<QAction*>())
        if (action->text() == text) return action;
    qFatal("no action %s", qPrintable(text));
}

}  // namespace

class FollowTest : public QObject {
    Q_OBJECT

private slots:
    void aProgramStartsOnACleanMachine_data();
    void aProgramStartsOnACleanMachine();
    void theViewFollowsEachStep();
    void theConsoleTakesOutAndIn();
    void aRunsTimeLeavesOutItsBoxes();
    void theRunBoxStandsClearOfTheLists();
    void boxesAndViewer();
    void saveAsAddsTheExtension();
    void zoomScalesTheWholeWindowAndIsRemembered();
    void focusIsSeenOnTheModeLabelAndTheLists_data();
    void focusIsSeenOnTheModeLabelAndTheLists();
};

void FollowTest::aProgramStartsOnACleanMachine_data() {
    QTest::addColumn<bool>("open");
    QTest::newRow("open") << true;
    QTest::newRow("new") << false;
}

void FollowTest::aProgramStartsOnACleanMachine() {
    QFETCH(bool, open);
    ActiveWindow w;
    press(w, "Command1");
    for (int i = 0; i < 3; ++i) press(w, "Command2");
    editorOf(w)->setTextCursor(QTextCursor(editorOf(w)->document()->findBlockByNumber(1)));
    menuAction(w, QStringLiteral("Toggle break&point"))->trigger();
    QVERIFY(control<QListWidget>(w, "List1")->count() > 0);
    QVERIFY(!w.workbench().debug.breakpoints.set.empty());
    control<QPushButton>(w, "Command1")->setFocus();
    if (open) QVERIFY(w.openFile(squaresPath()));
    else w.newDocument();
    QCOMPARE(control<QListWidget>(w, "List1")->count(), 0);
    QCOMPARE(control<QListWidget>(w, "List2")->count(), 0);
    for (int k = 0; k < kBoxCount; ++k) QCOMPARE(box(w, k)->text(), QStringLiteral("0000"));
    QCOMPARE(control<QLabel>(w, "Label6")->text(), QStringLiteral("Executed"));
    QVERIFY(control<QToolButton>(w, "problemCount")->isHidden());  // no "No problems" before an ASM
    QCOMPARE(statusOf(w), (open ? QStringLiteral("squares.casl") : QStringLiteral("Untitled")) +
                              QStringLiteral(": a clean machine, nothing assembled yet"));
    QVERIFY(w.workbench().debug.breakpoints.set.empty());
    QVERIFY(!menuAction(w, QStringLiteral("&Back"))->isEnabled());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(editorOf(w)));
}

void FollowTest::theViewFollowsEachStep() {
    ActiveWindow w;
    QVERIFY(w.openFile(squaresPath()));
    press(w, "Command1");
    auto* dump = control<QListWidget>(w, "List2");
    auto* listing = control<QListWidget>(w, "List1");
    int offScreenBefore = 0;  // steps whose PC line lay beyond the editor's first screen
    for (int step = 1; step <= 31; ++step) {
        press(w, "Command2");
        QApplication::processEvents();
        const int line = pcSourceLine(w.workbench());
        QVERIFY2(lineInView(editorOf(w), line), qPrintable(QStringLiteral("PC line %1 at step %2").arg(line).arg(step)));
        if (!lineInView(editorOf(w), 1)) ++offScreenBefore;
        const int selected = w.workbench().list1.selected;
        if (selected >= 0) QTRY_VERIFY(rowInView(listing, selected));
        const int written = firstChangedRow(w);
        if (written >= 0) QTRY_VERIFY2(rowInView(dump, written), qPrintable(QStringLiteral("dump row %1 at step %2").arg(written).arg(step)));
        if (step == 30) QVERIFY(saveShot(w, "step-30.png"));
    }
    QVERIFY(offScreenBefore > 0);  // the program is longer than the editor shows
    QVERIFY(saveShot(w, "step-31.png"));
}

void FollowTest::theConsoleTakesOutAndIn() {
    ActiveWindow w;
    auto* dock = control<QDockWidget>(w, "consoleDock");
    QVERIFY(dock->isHidden());
    menuAction(w, QStringLiteral("Output &console"))->trigger();
    QVERIFY(dock->isVisible());
    QTest::keyClicks(control<QLineEdit>(w, "consoleInput"), QStringLiteral("hi"));
    startRunModeWith(w, QStringLiteral("E START\n IN BUF,LEN\n OUT BUF,LEN\n OUT BUF,LEN\n EXIT\nBUF DS 5\nLEN DC 10\n END\n"));
    MessageAnswerer boxes;  // none is expected
    press(w, "Command2");
    QVERIFY(boxes.seen.isEmpty());
    QCOMPARE(control<QPlainTextEdit>(w, "consoleOutput")->toPlainText(), QStringLiteral("> hi\nhi\nhi"));
    QCOMPARE(control<QLineEdit>(w, "consoleInput")->text(), QString());
    QVERIFY(statusOf(w).startsWith(QStringLiteral("Ended by EXIT")));
    QVERIFY(saveShot(w, "console.png"));
    press(w, "consoleClear");
    QCOMPARE(control<QPlainTextEdit>(w, "consoleOutput")->toPlainText(), QString());
    menuAction(w, QStringLiteral("Output &console"))->trigger();
    QVERIFY(dock->isHidden());
    whenFound([] { return modalNamed("inputBox"); }, [](QWidget* input) { qobject_cast<QDialog*>(input)->accept(); });
    press(w, "Command2");  // the design's boxes again
    QCOMPARE(boxes.seen.size(), 2);
}

// Each OUT box stands open ten seconds on the clock; the run's time is still none.
void FollowTest::aRunsTimeLeavesOutItsBoxes() {
    ActiveWindow w;
    w.workbench().run.clock = fakeClock;
    press(w, "Command1");
    switchToRunMode(w);
    int answered = 0;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        fakeNow += 10;
        ++answered;
        box->button(QMessageBox::Ok)->click();
    });
    answerer.start(5);
    press(w, "Command2");
    QVERIFY(answered >= 2);
    QCOMPARE(statusOf(w), QStringLiteral("Ended by EXIT after %1 instructions (0.0 ms)").arg(w.workbench().status.steps));
}

void FollowTest::theRunBoxStandsClearOfTheLists() {
    ActiveWindow w;
    startRunModeWith(w, kCountingLoop);
    QStringList covered;
    whenFound(runBox, [&](QWidget* running) {
        const QRect boxArea = running->frameGeometry();
        for (const char* name : {"Text1", "List1", "List2", "txtGR0", "txtGR5"}) {
            auto* shown = control<QWidget>(w, name);
            if (QRect(shown->mapToGlobal(QPoint(0, 0)), shown->size()).intersects(boxArea)) covered << QLatin1String(name);
        }
        control<QPushButton>(*running, "runStop")->click();
    });
    press(w, "Command2");
    QCOMPARE(covered.join(u','), QString());
}

// The question's buttons have mnemonics, a box's title shows whole, boxes stand in the
// middle of the window, and Esc closes the viewer.
void FollowTest::boxesAndViewer() {
    ActiveWindow w;
    w.move(200, 150);
    QTest::keyClicks(editorOf(w), QStringLiteral("X"));
    QStringList buttons;
    bool titleWhole = false;
    QPoint offset;
    whenFound([] { return modalNamed("saveChanges"); }, [&](QWidget* found) {
        auto* question = qobject_cast<QMessageBox*>(found);
        for (QAbstractButton* b : question->buttons()) buttons << b->text();
        titleWhole = question->width() > question->fontMetrics().horizontalAdvance(question->windowTitle());
        offset = question->frameGeometry().center() - w.frameGeometry().center();
        question->button(QMessageBox::Cancel)->click();
    });
    w.newDocument();
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"&Cancel", "&Discard", "&Save"}));
    QVERIFY(titleWhole);
    QVERIFY2(offset.manhattanLength() < 40, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    QCOMPARE(menuAction(w, QStringLiteral("Save &As\u2026"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));

    press(w, "Command3");
    QPointer<FrmText> viewer = w.viewer();
    QVERIFY(viewer);
    viewer->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(viewer));
    QTest::keyClick(viewer->textBox(), Qt::Key_Escape);
    QTRY_VERIFY(viewer.isNull());
}

void FollowTest::saveAsAddsTheExtension() {
    QTemporaryDir dir;
    ShownWindow w;
    QVERIFY(w.saveTo(dir.filePath(QStringLiteral("plain.asm"))));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("plain.asm"))));
    whenFound([] { return QApplication::activeModalWidget(); }, [&](QWidget* found) {
        auto* dialog = qobject_cast<QFileDialog*>(found);
        QCOMPARE(dialog->nameFilters(), (QStringList{"CASL sources (*.casl *.cas *.asm)", "All files (*)"}));
        dialog->selectFile(dir.filePath(QStringLiteral("countdown")));
        static_cast<QDialog*>(dialog)->accept();  // public in QDialog
    });
    QVERIFY(w.saveAs());
    QCOMPARE(QFileInfo(toQString(fromUtf8(w.document().path))).fileName(), QStringLiteral("countdown.casl"));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("countdown.casl"))));
}

// The menus, the bars and the boxes grow with the controls; the window grows to hold them
// (within the screen); the next window starts as this one was left.
void FollowTest::zoomScalesTheWholeWindowAndIsRemembered() {
    {
        ActiveWindow w;
        const QSize design = w.size();
        const qreal designSize = w.menuBar()->font().pointSizeF();
        for (int i = 0; i < 5; ++i) w.zoomBy(1);
        QCOMPARE(w.zoomPercent(), 200);
        QCOMPARE(w.menuBar()->font().pointSizeF(), designSize * 2);
        QCOMPARE(w.statusBar()->font().pointSizeF(), designSize * 2);
        for (QMenu* menu : w.menuBar()->findChildren<QMenu*>()) QCOMPARE(menu->font().pointSizeF(), designSize * 2);
        const QSize room = w.screen()->availableGeometry().size();
        QVERIFY(w.width() > design.width() || w.width() >= room.width());
        QVERIFY(w.height() > design.height() || w.height() >= room.height());
        QApplication::processEvents();
        QVERIFY(saveShot(w, "zoom-200.png"));
        menuAction(w, QStringLiteral("&5 instructions a second"))->trigger();
        menuAction(w, QStringLiteral("日本語"))->trigger();
        w.zoomBy(-1);
        QVERIFY(w.close());
    }
    setLanguage(Language::English);
    FrmMain next;
    QCOMPARE(next.zoomPercent(), 100);  // a window starts at the design's zoom until told
    next.restoreSettings();
    QCOMPARE(next.zoomPercent(), 175);
    QCOMPARE(next.workbench().debug.speed, 5);
    QCOMPARE(currentLanguage(), Language::Japanese);
    QVERIFY(menuAction(next, QStringLiteral("日本語"))->isChecked());
    setLanguage(Language::English);
}

void FollowTest::focusIsSeenOnTheModeLabelAndTheLists_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"Label3", "List1", "List2"}) QTest::newRow(name) << QString::fromLatin1(name);
}

// Focused, the control is drawn otherwise than without the focus.
void FollowTest::focusIsSeenOnTheModeLabelAndTheLists() {
    QFETCH(QString, name);
    ActiveWindow w;
    auto* target = control<QWidget>(w, name.toLatin1().constData());
    editorOf(w)->setFocus();
    QTRY_VERIFY(editorOf(w)->hasFocus());
    const QImage without = target->grab().toImage();
    target->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(target->hasFocus());
    QVERIFY(target->grab().toImage() != without);
}

QTEST_MAIN(FollowTest)
#include "follow_test.moc"
