// The workbench window through its real widgets: what the user sees after each action,
// the modal boxes answered as a user would, the viewer, and a Run Mode run stopped by
// the Stop control, by Esc and by closing the window.
#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTest>

#include "emulator/engine.hpp"
#include "ui/mainwindow.hpp"
#include "ui/qt/frm_main.hpp"
#include "ui/qt/frm_text.hpp"
#include "ui/qt/qt_text.hpp"
#include "ui/qt/source_editor.hpp"
#include "window_helpers.hpp"

using namespace comet;

namespace {

void chooseItem(FrmMain& w, int index) {
    auto* combo = control<QComboBox>(w, "Combo1");
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void selectInEditor(FrmMain& w, int block, int column, int length) {
    QTextCursor cursor(editorOf(w)->document()->findBlockByNumber(block));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
    cursor.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, length);
    editorOf(w)->setTextCursor(cursor);
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void startUpState();
    void asmAndDebugStepsThroughTheOutBox();
    void inputBoxStoresTheTypedText();
    void typingIntoThePcBoxMovesTheSelection();
    void chooserInsertsAtTheCaretOrReplacesTheSelection();
    void chooserLosingFocusGivesItToText1();
    void reportsShareOneViewer();
    void viewerTextBoxFollowsItsSize();
    void runModeStopsByStopAndEsc();
    void closingDuringARunStopsItAndAsks();
};

// ---- Main window ----

// The logic's start-up state is the session tests' to check; here what only the window has.
void WindowTest::startUpState() {
    FrmMain w;
    w.show();
    QCOMPARE(editorOf(w)->toPlainText(), plainOf(kSampleProgram));
    const QStringList families = editorOf(w)->font().families();
    QCOMPARE(families.value(0), QStringLiteral("DejaVu Sans Mono"));  // 0 and O, 1, l and I differ
    QCOMPARE(families.value(1), QStringLiteral("Noto Sans Mono CJK JP"));
    // Extra room goes to the three columns; the panel keeps its width at the right edge.
    auto* list2 = control<QListWidget>(w, "List2");
    auto* exec = control<QPushButton>(w, "Command2");
    const int listWidth = list2->width();
    const int execWidth = exec->width();
    w.resize(w.width() + 300, w.height() + 200);
    QVERIFY(list2->width() > listWidth);
    QCOMPARE(exec->width(), execWidth);
    QVERIFY(exec->geometry().right() > w.width() - 20);
}

// ASM fills both lists and selects the PC's line; five Debug Mode steps reach the OUT,
// whose box shows the text without its code 0.
void WindowTest::asmAndDebugStepsThroughTheOutBox() {
    FrmMain w;
    w.show();
    press(w, "Command1");
    auto* list1 = control<QListWidget>(w, "List1");
    QVERIFY(list1->item(0)->isSelected());
    QCOMPARE(control<QListWidget>(w, "List2")->item(0x13)->text(), QStringLiteral("0013: 4865   He"));
    for (int i = 0; i < 5; ++i) press(w, "Command2");  // LEA, LEA, SUB, JZE, CALL
    QCOMPARE(box(w, 4)->text(), QStringLiteral("0025"));
    MessageAnswerer answerer;
    press(w, "Command2");
    QCOMPARE(answerer.seen, QStringList{QStringLiteral("Hellow COMET")});
    QCOMPARE(answerer.titles, QStringList{QStringLiteral("COMET 標準出力")});
    QCOMPARE(box(w, kPcBox)->text(), QStringLiteral("000F"));
    QCOMPARE(list1->currentRow(), 8);
}

void WindowTest::inputBoxStoresTheTypedText() {
    FrmMain w;
    w.show();
    assemble(w, QStringLiteral("S1  START\n    IN  BUF,LEN\n    EXIT\nBUF DS 3\nLEN DC 5\n    END\n"));
    QString prompt;
    whenModal([&](QWidget* modal) {
        auto* input = qobject_cast<QInputDialog*>(modal);
        QVERIFY(input != nullptr);
        prompt = input->windowTitle() + u'|' + input->labelText();
        input->setTextValue(QStringLiteral("ABCDEFG"));
        input->accept();
    });
    press(w, "Command2");
    QCOMPARE(prompt, QStringLiteral("COMET Emulation|COMET 標準入力"));
    QCOMPARE(control<QListWidget>(w, "List2")->item(8)->text(), QStringLiteral("0008: 4500   E."));
}

void WindowTest::typingIntoThePcBoxMovesTheSelection() {
    FrmMain w;
    w.show();
    press(w, "Command1");
    QLineEdit* pc = box(w, kPcBox);
    pc->selectAll();
    QTest::keyClicks(pc, QStringLiteral("0002"));
    QCOMPARE(control<QListWidget>(w, "List1")->currentRow(), 1);
    QCOMPARE(w.workbench().regs.pc, 2);
}

// Line 3 of the sample, column 4, with two CR LF lines before it: the logic's offset
// counts them as two characters each, the widget as one. A selection is replaced, as
// one step of the editor's own undo history.
void WindowTest::chooserInsertsAtTheCaretOrReplacesTheSelection() {
    FrmMain w;
    w.show();
    QPlainTextEdit* text1 = editorOf(w);
    selectInEditor(w, 2, 4, 0);
    const int caret = text1->textCursor().position();
    QCOMPARE(w.workbench().text1.selStart, caret + 2);
    chooseItem(w, 32);  // "GR2    Register 2"
    QCOMPARE(text1->document()->findBlockByNumber(2).text(), QStringLiteral("    GR2LEA   GR0,3"));
    QCOMPARE(text1->textCursor().position(), caret + 3);

    selectInEditor(w, 3, 4, 3);  // "Sub" of "J1  Sub   GR0,Counter"
    chooseItem(w, 0);  // "LD     Load"
    QCOMPARE(text1->document()->findBlockByNumber(3).text(), QStringLiteral("J1  LD       GR0,Counter"));
    text1->undo();
    QCOMPARE(text1->document()->findBlockByNumber(3).text(), QStringLiteral("J1  Sub   GR0,Counter"));
}

void WindowTest::chooserLosingFocusGivesItToText1() {
    FrmMain w;
    activate(w);
    auto* combo = control<QComboBox>(w, "Combo1");
    combo->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), combo);
    control<QListWidget>(w, "List2")->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), editorOf(w));
}

// ---- The viewer ----

// One viewer shows each report in turn; closed, it is made anew by the next report, and
// it outlives the main window.
void WindowTest::reportsShareOneViewer() {
    auto* w = new FrmMain;
    w->show();
    press(*w, "Command3");
    QPointer<FrmText> viewer = w->viewer();
    QVERIFY(viewer != nullptr && viewer->isVisible() && viewer->isWindow());
    press(*w, "Command1");
    press(*w, "Command4");
    QCOMPARE(w->viewer(), viewer.data());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("オブジェクト"));
    QVERIFY(viewer->textBox()->toPlainText().startsWith(QStringLiteral("Addr:  Value\n------------------\n0000:  1240  0026 ")));
    viewer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(viewer.isNull());
    press(*w, "Command5");
    viewer = w->viewer();
    QVERIFY(viewer != nullptr && viewer->isVisible());
    w->close();
    QCoreApplication::processEvents();
    QVERIFY(viewer->isVisible());
    delete w;
    QVERIFY(viewer.isNull());
}

void WindowTest::viewerTextBoxFollowsItsSize() {
    FrmMain w;
    w.show();
    press(w, "Command3");
    FrmText* viewer = w.viewer();
    const int dpi = viewer->dpi();
    // The outer size is the client area and a caption band of 350 twips.
    const auto expectBox = [&] {
        return QSize(pixelsFromTwips(twipsFromPixels(viewer->width(), dpi) - 250, dpi),
                     pixelsFromTwips(twipsFromPixels(viewer->height(), dpi) + 350 - 600, dpi));
    };
    QCOMPARE(viewer->textBox()->pos(), QPoint(pixelsFromTwips(120, dpi), pixelsFromTwips(120, dpi)));
    QCOMPARE(viewer->textBox()->size(), expectBox());  // fitted when first shown
    viewer->resize(600, 400);
    QCoreApplication::processEvents();
    QCOMPARE(viewer->textBox()->size(), expectBox());
    // Too small for the box: it keeps its last size.
    const QSize kept = viewer->textBox()->size();
    viewer->resize(60, 40);
    QCoreApplication::processEvents();
    QCOMPARE(viewer->textBox()->size(), kept);
}

// ---- Run Mode ----

// The Stop control of the run's box, Esc in that box and Esc in the main window each
// stop a run of the counting loop; the window is repainted during the run.
void WindowTest::runModeStopsByStopAndEsc() {
    FrmMain w;
    activate(w);
    startRunModeWith(w, kCountingLoop);
    QString count;
    QString gr1DuringRun;
    bool blocked = true;  // something modal would keep the window system's close away
    whenFound(runBox, [&](QWidget* modal) {
        count = control<QLabel>(*modal, "runCount")->text();
        gr1DuringRun = box(w, 1)->text();
        blocked = QGuiApplication::modalWindow() != nullptr;
        QTest::keyClicks(editorOf(w), QStringLiteral("XYZ"));
        control<QPushButton>(*modal, "runStop")->click();
    });
    press(w, "Command2");
    QVERIFY2(count.section(u' ', -1).toLongLong() > 0, qPrintable(count));
    QVERIFY2(gr1DuringRun != QStringLiteral("0000"), "the window is repainted during the run");
    QVERIFY2(!blocked, "the Run Mode box keeps the close request from the main window");
    QCOMPARE(editorOf(w)->toPlainText(), kCountingLoop);  // input to the main window is dropped during the run
    QCOMPARE(w.workbench().run.haltedBy, Halt::Stopped);
    for (const bool inTheBox : {true, false}) {
        whenFound(runBox, [&](QWidget* modal) {
            QWidget* target = inTheBox ? modal : static_cast<QWidget*>(&w);
            QApplication::setActiveWindow(target);
            QTest::keyClick(target, Qt::Key_Escape);
        });
        press(w, "Command2");
        QCOMPARE(w.workbench().run.haltedBy, Halt::Stopped);
    }
}

// Closing the window during a run stops the run and asks whether to quit; the typed
// program is not saved, so a Yes asks about it too.
void WindowTest::closingDuringARunStopsItAndAsks() {
    FrmMain w;
    w.show();
    startRunModeWith(w, kCountingLoop);
    const QStringList question{QStringLiteral("Run Mode was stopped. Quit the workbench?")};
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        MessageAnswerer quit(answer, "");  // the question after the run has no name of its own
        MessageAnswerer discard(QMessageBox::Discard, "saveChanges");
        whenFound(runBox, [&](QWidget*) { w.close(); });
        press(w, "Command2");
        QCOMPARE(w.workbench().run.haltedBy, Halt::Stopped);
        QTRY_COMPARE(quit.seen, question);
        QTRY_COMPARE(w.isVisible(), answer == QMessageBox::No);
        QCOMPARE(discard.seen.size(), answer == QMessageBox::No ? 0 : 1);
    }
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
