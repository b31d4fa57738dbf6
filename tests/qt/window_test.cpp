// The workbench window through its real widgets: what the user sees after each action,
// the modal boxes answered as a user would, the viewer, and a Run Mode run stopped by
// the Stop control and by Esc.
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
#include "ui/qt/boxes.hpp"
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
    void boxTextDropsCodeZero();
    void startUpState();
    void asmAndDebugStepsThroughTheOutBox();
    void inputBoxStoresTheTypedText();
    void typingIntoThePcBoxMovesTheSelection();
    void chooserInsertsAtTheCaretOrReplacesTheSelection();
    void chooserLosingFocusGivesItToText1();
    void reportsShareOneViewer();
    void viewerTextBoxFollowsItsSize();
    void runModeStopsByStopAndEsc();
};

void WindowTest::boxTextDropsCodeZero() { QCOMPARE(boxTextOf(Text(u"a\0b\r\nc", 6)), QStringLiteral("ab\nc")); }

// ---- Main window ----

void WindowTest::startUpState() {
    FrmMain w;
    w.show();
    QCOMPARE(w.windowTitle(), QStringLiteral("COMET Emulation"));
    QCOMPARE(editorOf(w)->toPlainText(), plainOf(kSampleProgram));
    QCOMPARE(control<QLabel>(w, "Label3")->text(), QStringLiteral("Debug Mode"));
    QCOMPARE(control<QLabel>(w, "Label6")->text(), QStringLiteral("Executed"));
    for (int k = 0; k < kBoxCount; ++k) QCOMPARE(box(w, k)->text(), QStringLiteral("0000"));
    auto* combo = control<QComboBox>(w, "Combo1");
    QCOMPARE(combo->count(), 35);
    QCOMPARE(combo->currentText(), QStringLiteral("LD     Load"));
    QCOMPARE(control<QListWidget>(w, "List1")->count(), 0);
    QStringList captions;
    for (QLabel* label : w.findChildren<QLabel*>()) captions << label->text();
    for (const char* caption : {"Souce Program", "Object Program", "Memory Dump", "    PC", "GR4(SP)", "    FR"}) {
        QVERIFY2(captions.contains(QLatin1String(caption)), caption);
    }
    QCOMPARE(control<QPushButton>(w, "Command3")->text(), QStringLiteral("操作説明"));
    QCOMPARE(control<QPushButton>(w, "Command5")->text(), QStringLiteral("実行履歴表示"));
    const QStringList families = editorOf(w)->font().families();
    QCOMPARE(families.value(0), QStringLiteral("DejaVu Sans Mono"));  // 0 and O, 1, l and I differ
    QCOMPARE(families.value(1), QStringLiteral("Noto Sans Mono CJK JP"));
    QCOMPARE(editorOf(w)->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(w.viewer(), nullptr);
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
    auto* list2 = control<QListWidget>(w, "List2");
    QCOMPARE(list1->item(0)->text(), QStringLiteral("0000:  1240  0026 "));
    QVERIFY(list1->item(0)->isSelected());
    QCOMPARE(list2->count(), 38);
    QCOMPARE(list2->item(0x13)->text(), QStringLiteral("0013: 4865   He"));
    for (int i = 0; i < 5; ++i) press(w, "Command2");  // LEA, LEA, SUB, JZE, CALL
    QCOMPARE(box(w, kPcBox)->text(), QStringLiteral("000D"));
    QCOMPARE(box(w, 4)->text(), QStringLiteral("0025"));
    SeenBox seen;
    answerMessage(seen, QMessageBox::Ok);
    press(w, "Command2");
    QCOMPARE(seen.title, QStringLiteral("COMET 標準出力"));
    QCOMPARE(seen.text, QStringLiteral("Hellow COMET"));
    QCOMPARE(box(w, kPcBox)->text(), QStringLiteral("000F"));
    QCOMPARE(list1->currentRow(), 8);
    QVERIFY(control<QLabel>(w, "Label6")->text().startsWith(QStringLiteral("Executed Operation =")));
}

void WindowTest::inputBoxStoresTheTypedText() {
    FrmMain w;
    w.show();
    typeSource(w, QStringLiteral("S1  START\n    IN  BUF,LEN\n    EXIT\nBUF DS 3\nLEN DC 5\n    END\n"));
    press(w, "Command1");
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
    auto* list2 = control<QListWidget>(w, "List2");
    QCOMPARE(list2->item(6)->text(), QStringLiteral("0006: 4142   AB"));
    QCOMPARE(list2->item(8)->text(), QStringLiteral("0008: 4500   E."));
}

void WindowTest::typingIntoThePcBoxMovesTheSelection() {
    FrmMain w;
    w.show();
    press(w, "Command1");
    auto* list1 = control<QListWidget>(w, "List1");
    QLineEdit* pc = box(w, kPcBox);
    pc->selectAll();
    QTest::keyClicks(pc, QStringLiteral("0002"));
    QCOMPARE(list1->currentItem()->text(), QStringLiteral("0002:  1200  0003 "));
    QCOMPARE(w.workbench().regs.pc, 2);
    pc->selectAll();
    QTest::keyClicks(pc, QStringLiteral("00a2"));
    QCOMPARE(w.workbench().regs.pc, 0xA2);
    QVERIFY(list1->selectedItems().isEmpty());
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
    for (const char* line : {"    GR2LEA   GR0,3", "    GR2GR2LEA   GR0,3"}) {  // the same item again inserts again
        chooseItem(w, 32);  // "GR2    Register 2"
        QCOMPARE(text1->document()->findBlockByNumber(2).text(), QLatin1String(line));
    }
    QCOMPARE(text1->textCursor().position(), caret + 6);
    QVERIFY(!text1->textCursor().hasSelection());

    selectInEditor(w, 3, 4, 3);  // "Sub" of "J1  Sub   GR0,Counter"
    QCOMPARE(w.workbench().text1.selLength, 3);
    chooseItem(w, 0);  // "LD     Load"
    const QTextBlock line = text1->document()->findBlockByNumber(3);
    QCOMPARE(line.text(), QStringLiteral("J1  LD       GR0,Counter"));
    QCOMPARE(text1->textCursor().position(), line.position() + 4 + 6);
    QCOMPARE(control<QComboBox>(w, "Combo1")->currentIndex(), 0);
    QCOMPARE(text1->toPlainText(), plainOf(w.workbench().text1.text));
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

void WindowTest::reportsShareOneViewer() {
    auto* w = new FrmMain;
    w->show();
    press(*w, "Command3");
    QPointer<FrmText> viewer = w->viewer();
    QVERIFY(viewer != nullptr && viewer->isVisible() && viewer->isWindow());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("操作説明"));
    QVERIFY(viewer->textBox()->toPlainText().startsWith(QStringLiteral("\n■操作方法\n")));
    QVERIFY(viewer->textBox()->isReadOnly());
    press(*w, "Command1");
    press(*w, "Command4");
    QCOMPARE(w->viewer(), viewer.data());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("オブジェクト"));
    QVERIFY(viewer->textBox()->toPlainText().startsWith(QStringLiteral("Addr:  Value\n------------------\n0000:  1240  0026 ")));
    press(*w, "Command5");
    QCOMPARE(viewer->windowTitle(), QStringLiteral("実行履歴"));
    QCOMPARE(viewer->textBox()->toPlainText(), QString());
    // Closed by the user, it is made anew by the next report.
    viewer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(viewer.isNull());
    QVERIFY(!w->workbench().frmText.exists);
    press(*w, "Command3");
    viewer = w->viewer();
    QVERIFY(viewer != nullptr && viewer->isVisible());
    // Closing the main window leaves the viewer open.
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
// stop a run of the counting loop; the window is repainted during the run, and the
// boxes show the state the run stopped in, where the next press goes on.
void WindowTest::runModeStopsByStopAndEsc() {
    FrmMain w;
    activate(w);
    typeSource(w, kCountingLoop);
    press(w, "Command1");
    switchToRunMode(w);
    QCOMPARE(control<QLabel>(w, "Label3")->text(), QStringLiteral("Run Mode"));
    QString title;
    QString count;
    QString gr1DuringRun;
    whenFound(runBox, [&](QWidget* modal) {
        title = modal->windowTitle();
        count = control<QLabel>(*modal, "runCount")->text();
        gr1DuringRun = box(w, 1)->text();
        control<QPushButton>(*modal, "runStop")->click();
    });
    press(w, "Command2");
    QCOMPARE(title, QStringLiteral("Run Mode"));
    QVERIFY2(count.startsWith(QStringLiteral("Executed instructions: ")), qPrintable(count));
    QVERIFY(count.section(u' ', -1).toLongLong() > 0);
    QVERIFY2(gr1DuringRun != QStringLiteral("0000"), "the window is repainted during the run");
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(w.workbench().run.haltedBy, Halt::Stopped);
    QVERIFY(QStringList({"0000", "0002", "0004", "0006"}).contains(box(w, kPcBox)->text()));
    QVERIFY2(statusOf(w).startsWith(QStringLiteral("Stopped by you at 000")), qPrintable(statusOf(w)));
    QVERIFY2(statusOf(w).contains(QStringLiteral(" instructions (")), qPrintable(statusOf(w)));
    for (const bool inTheBox : {true, false}) {
        whenFound(runBox, [&](QWidget* modal) {
            QApplication::setActiveWindow(inTheBox ? modal : static_cast<QWidget*>(&w));
            QTest::keyClick(inTheBox ? modal : static_cast<QWidget*>(&w), Qt::Key_Escape);
        });
        press(w, "Command2");
        QCOMPARE(w.workbench().run.haltedBy, Halt::Stopped);
    }
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
