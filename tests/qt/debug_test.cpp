// Debugging in the window: breakpoints from the gutter, F9 and the listing, drawn
// beside their lines; Back and Reset with their keys; a run watched at a speed and
// stopped by Stop; an endless loop named in the status bar.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

#include <map>

#include "ui/qt/breakpoint_marks.hpp"
#include "ui/qt/frm_main.hpp"
#include "ui/qt/line_gutter.hpp"
#include "ui/qt/source_editor.hpp"
#include "window_helpers.hpp"

using namespace comet;

namespace {

// The sample program's lines and the listing rows of their words.
constexpr int kJmpLine = 7;      // JMP J1 at 000A, listing row 5
constexpr int kCallRow = 4;      // CALL S2 at 0008, line 6
constexpr int kExitLine = 9;     // EXIT at 000C

std::map<int, bool> gutterMarks(FrmMain& w) { return editorOf(w)->gutter()->breakpoints(); }
QString pcBox(FrmMain& w) { return box(w, kPcBox)->text(); }

void clickGutter(FrmMain& w, int line) {
    SourceEditor* editor = editorOf(w);
    for (const VisibleLine& row : editor->visibleLines()) {
        if (row.line == line) {
            QTest::mouseClick(editor->gutter(), Qt::LeftButton, {}, editor->gutter()->breakpointRect(row.top, row.height).center());
            return;
        }
    }
    QFAIL("the line is not in view");
}

void caretTo(FrmMain& w, int line) {
    editorOf(w)->setTextCursor(QTextCursor(editorOf(w)->document()->findBlockByNumber(line - 1)));
}

bool listingMarked(FrmMain& w, int row) {
    return control<QListWidget>(w, "List1")->item(row)->data(ListingMarks::kBreakpointRole).toBool();
}

// As a mouse makes it: the second press comes before the double-click event.
void doubleClick(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mousePress(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

QAction* runAction(FrmMain& w, const QString& text) {
    for (QAction* action : control<QMenu>(w, "runMenu")->actions()) {
        if (action->text() == text) return action;
    }
    qFatal("no Run menu entry %s", qPrintable(text));
}

// Every box's text, Label6 and the listing's selection.
QStringList shown(FrmMain& w) {
    QStringList texts;
    for (int k = 0; k < kBoxCount; ++k) texts << box(w, k)->text();
    return texts << control<QLabel>(w, "Label6")->text() << QString::number(control<QListWidget>(w, "List1")->currentRow());
}

}  // namespace

class DebugTest : public QObject {
    Q_OBJECT

private slots:
    void gutterClickAndF9SetBreakpointsThatStopRuns();
    void aListingDoubleClickTogglesItsLine();
    void backUndoesStepsAndResetStartsOver();
    void aWatchedRunStopsAtABreakpointAndByStop();
    void anEndlessLoopIsNamedInTheStatusBar();
};

void DebugTest::gutterClickAndF9SetBreakpointsThatStopRuns() {
    FrmMain w;
    activate(w);
    press(w, "Command1");
    clickGutter(w, kJmpLine);
    QCOMPARE(gutterMarks(w), (std::map<int, bool>{{kJmpLine, false}}));
    QVERIFY(listingMarked(w, 5));

    switchToRunMode(w);
    MessageAnswerer answerer;  // the OUT boxes
    QTest::keyClick(editorOf(w), Qt::Key_F5);
    QCOMPARE(pcBox(w), QStringLiteral("000A"));
    press(w, "Command2");  // goes on from the breakpoint, round the loop to it again
    QCOMPARE(answerer.seen.size(), 2);
    QCOMPARE(pcBox(w), QStringLiteral("000A"));

    clickGutter(w, kJmpLine);
    caretTo(w, kExitLine);
    activate(w);  // back from the OUT boxes, which the offscreen platform leaves active
    QTest::keyClick(editorOf(w), Qt::Key_F9);
    QCOMPARE(gutterMarks(w), (std::map<int, bool>{{kExitLine, false}}));
    press(w, "Command2");
    QCOMPARE(pcBox(w), QStringLiteral("000C"));
    press(w, "Command2");  // EXIT, which leaves the PC at 0000

    caretTo(w, kJmpLine);
    QTest::keyClick(editorOf(w), Qt::Key_F4);  // Run to cursor
    QCOMPARE(pcBox(w), QStringLiteral("000A"));

    // A line edited since the last ASM holds a pending breakpoint, drawn hollow, until ASM.
    caretTo(w, 3);
    QTest::keyClick(editorOf(w), Qt::Key_End);
    QTest::keyClick(editorOf(w), Qt::Key_Space);
    activate(w);
    QTest::keyClick(editorOf(w), Qt::Key_F9);
    QCOMPARE(gutterMarks(w), (std::map<int, bool>{{3, true}, {kExitLine, false}}));
    QVERIFY(saveShot(w, "breakpoints.png"));
    press(w, "Command1");
    QCOMPARE(gutterMarks(w), (std::map<int, bool>{{3, false}, {kExitLine, false}}));
    QVERIFY(listingMarked(w, 1));
}

void DebugTest::aListingDoubleClickTogglesItsLine() {
    FrmMain w;
    activate(w);
    press(w, "Command1");
    auto* list1 = control<QListWidget>(w, "List1");
    const QPoint row = list1->visualItemRect(list1->item(kCallRow)).center();
    doubleClick(list1->viewport(), row);
    QCOMPARE(gutterMarks(w), (std::map<int, bool>{{6, false}}));
    QVERIFY(listingMarked(w, kCallRow));
    doubleClick(list1->viewport(), row);
    QVERIFY(gutterMarks(w).empty());
    QVERIFY(!listingMarked(w, kCallRow));
}

// Shift+F5 takes Debug Mode steps back one by one, every box as it was; Back is off
// with nothing to undo. Ctrl+Shift+F5 loads the program again as ASM left it.
void DebugTest::backUndoesStepsAndResetStartsOver() {
    FrmMain w;
    activate(w);
    press(w, "Command1");
    QAction* back = runAction(w, QStringLiteral("&Back"));
    QVERIFY(!back->isEnabled());
    const QStringList assembled = shown(w);
    QList<QStringList> before;
    for (int i = 0; i < 5; ++i) {  // up to CALL, which pushes onto the stack
        before << shown(w);
        QTest::keyClick(editorOf(w), Qt::Key_F5);
    }
    QVERIFY(back->isEnabled());
    while (!before.isEmpty()) {
        QTest::keyClick(editorOf(w), Qt::Key_F5, Qt::ShiftModifier);
        QCOMPARE(shown(w), before.takeLast());
    }
    QVERIFY(!back->isEnabled());

    for (int i = 0; i < 3; ++i) press(w, "Command2");
    QTest::keyClick(editorOf(w), Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(shown(w), assembled);
    QVERIFY(!back->isEnabled());

    // Past its budget, Back says how far it reaches.
    auto* limit = control<QLabel>(w, "undoLimit");
    QVERIFY(limit->isHidden());
    w.workbench().debug.undo.setBudget(8 << 10);
    startRunModeWith(w, QStringLiteral("    LEA GR0,200\nL   SUB GR0,ONE\n    JNZ L\n    EXIT\nONE DC  1\n"));
    press(w, "Command2");
    QVERIFY(!limit->isHidden());
    QVERIFY2(limit->text().startsWith(QStringLiteral("Back reaches ")), qPrintable(limit->text()));
}

// At 100 instructions a second the sample stops at its breakpoint after its OUT box;
// the counting loop runs until Stop, the main window taking no input meanwhile.
void DebugTest::aWatchedRunStopsAtABreakpointAndByStop() {
    FrmMain w;
    activate(w);
    control<QMenu>(w, "speedMenu")->actions().last()->trigger();
    QCOMPARE(w.workbench().debug.speed, 100);
    press(w, "Command1");
    clickGutter(w, kJmpLine);
    switchToRunMode(w);
    {
        MessageAnswerer answerer;
        press(w, "Command2");
        QVERIFY(w.workbench().debug.press.active);  // the press goes on from the window's timer
        QCOMPARE(statusOf(w), QStringLiteral("Running\u2026"));
        QTRY_VERIFY(!w.workbench().debug.press.active);
        QCOMPARE(answerer.seen.size(), 1);
    }
    QCOMPARE(statusOf(w), QStringLiteral("Stopped at the breakpoint on line 7 (address 000A)"));
    QCOMPARE(pcBox(w), QStringLiteral("000A"));

    typeSource(w, kCountingLoop);
    press(w, "Command1");
    press(w, "Command2");
    QWidget* box = runBox();
    QVERIFY(box != nullptr);
    QTRY_VERIFY(w.workbench().debug.press.steps >= 3);
    QTRY_COMPARE(control<QLabel>(*box, "runCount")->text(),
                 QStringLiteral("Executed instructions: %1").arg(w.workbench().debug.press.steps));
    QTest::keyClicks(editorOf(w), QStringLiteral("XYZ"));
    QCOMPARE(editorOf(w)->toPlainText(), kCountingLoop);
    control<QPushButton>(*box, "runStop")->click();
    QTRY_VERIFY(!w.workbench().debug.press.active);
    QVERIFY2(statusOf(w).startsWith(QStringLiteral("Stopped by you at 000")), qPrintable(statusOf(w)));
    QVERIFY(w.workbench().status.steps < 100);
    QCOMPARE(runBox(), nullptr);
}

void DebugTest::anEndlessLoopIsNamedInTheStatusBar() {
    FrmMain w;
    activate(w);
    startRunModeWith(w, QStringLiteral("      LEA  GR1,0\nLOOP  ADD  GR1,ONE\n      JMP  LOOP\nONE   DC   1\n"));
    press(w, "Command2");
    QCOMPARE(statusOf(w), QStringLiteral("Endless loop: steps 2 to 131073 repeat (addresses 0002 to 0004)"));
}

QTEST_MAIN(DebugTest)
#include "debug_test.moc"
