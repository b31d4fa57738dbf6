// The workbench window through its real widgets: what the user sees after each action,
// the modal boxes answered as a user would, the viewer, and a Run Mode run stopped by
// the Stop control.
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
#include <QTextLayout>
#include <QTest>
#include <QTimer>

#include <functional>

#include "ui/mainwindow.hpp"
#include "ui/qt/boxes.hpp"
#include "workbench/editor_text.hpp"
#include "ui/qt/frm_main.hpp"
#include "ui/qt/frm_text.hpp"
#include "ui/qt/qt_main.hpp"
#include "ui/qt/qt_text.hpp"
#include "window_helpers.hpp"

using namespace comet;

namespace {

void chooseItem(FrmMain& w, int index) {
    auto* combo = control<QComboBox>(w, "Combo1");
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void selectInEditor(FrmMain& w, int block, int column, int length) {
    auto* text1 = control<QPlainTextEdit>(w, "Text1");
    QTextCursor cursor(text1->document()->findBlockByNumber(block));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
    cursor.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, length);
    text1->setTextCursor(cursor);
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void editorTextForms();
    void boxTextDropsCodeZero();
    void startUpState();
    void asmOfTheSample();
    void execInDebugModeThroughTheOutBox();
    void inputBoxStoresTheTypedText();
    void typingIntoThePcBoxMovesTheSelection();
    void chooserInsertsAtTheCaret();
    void chooserReplacesTheSelection();
    void chooserLosingFocusGivesItToText1();
    void reportsShareOneViewer();
    void viewerTextBoxFollowsItsSize();
    void helpTableLinesUp();
    void runModeStopsThroughTheStopControl();
    void noDisplayIsReportedInOneLine();
};

// ---- Editor text: the logic's CR LF against the widget's line breaks ----

// The widget's own text after the logic's text is set agrees unit for unit.
void WindowTest::editorTextForms() {
    const Text logic = u"A\r\nB\rC\nD\r\n";
    QPlainTextEdit edit;
    edit.setPlainText(toQString(widgetTextOf(logic)));
    QCOMPARE(toText(edit.document()->toRawText()), widgetTextOf(logic));
}

void WindowTest::boxTextDropsCodeZero() {
    QCOMPARE(boxTextOf(Text(u"Hellow COMET\0", 13)), QStringLiteral("Hellow COMET"));
    QCOMPARE(boxTextOf(Text(u"a\0b\r\nc", 6)), QStringLiteral("ab\nc"));
}

// ---- Main window ----

void WindowTest::startUpState() {
    FrmMain w;
    w.show();
    QCOMPARE(w.windowTitle(), QStringLiteral("COMET Emulation"));
    QCOMPARE(control<QPlainTextEdit>(w, "Text1")->toPlainText(), plainOf(kSampleProgram));
    QCOMPARE(control<QLabel>(w, "Label3")->text(), QStringLiteral("Debug Mode"));
    QCOMPARE(control<QLabel>(w, "Label6")->text(), QStringLiteral("Executed"));
    for (int k = 0; k < kBoxCount; ++k) QCOMPARE(box(w, k)->text(), QStringLiteral("0000"));
    auto* combo = control<QComboBox>(w, "Combo1");
    QCOMPARE(combo->count(), 35);
    QCOMPARE(combo->currentText(), QStringLiteral("LD     Load"));
    QCOMPARE(combo->itemText(34), QStringLiteral("GR4    Register 4"));
    QCOMPARE(control<QListWidget>(w, "List1")->count(), 0);
    QCOMPARE(control<QListWidget>(w, "List2")->count(), 0);
    QStringList captions;
    for (QLabel* label : w.findChildren<QLabel*>()) captions << label->text();
    for (const char* caption : {"Souce Program", "Object Program", "Memory Dump", "    PC", "GR4(SP)", "    FR"}) {
        QVERIFY2(captions.contains(QLatin1String(caption)), caption);
    }
    QCOMPARE(control<QPushButton>(w, "Command3")->text(), QStringLiteral("操作説明"));
    QCOMPARE(control<QPushButton>(w, "Command5")->text(), QStringLiteral("実行履歴表示"));
    const QStringList families = control<QPlainTextEdit>(w, "Text1")->font().families();
    QCOMPARE(families.value(0), QStringLiteral("DejaVu Sans Mono"));  // 0 and O, 1, l and I differ
    QCOMPARE(families.value(1), QStringLiteral("Noto Sans Mono CJK JP"));
    QCOMPARE(control<QPlainTextEdit>(w, "Text1")->lineWrapMode(), QPlainTextEdit::NoWrap);
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

void WindowTest::asmOfTheSample() {
    FrmMain w;
    w.show();
    press(w, "Command1");
    auto* list1 = control<QListWidget>(w, "List1");
    auto* list2 = control<QListWidget>(w, "List2");
    QCOMPARE(list1->item(0)->text(), QStringLiteral("0000:  1240  0026 "));
    QCOMPARE(list1->currentRow(), 0);
    QVERIFY(list1->item(0)->isSelected());
    QCOMPARE(list2->count(), 38);
    QCOMPARE(list2->item(0x13)->text(), QStringLiteral("0013: 4865   He"));
    QCOMPARE(list2->item(0x25)->text(), QStringLiteral("0025: 0000   .."));
}

void WindowTest::execInDebugModeThroughTheOutBox() {
    FrmMain w;
    w.show();
    press(w, "Command1");
    for (int i = 0; i < 5; ++i) press(w, "Command2");  // LEA, LEA, SUB, JZE, CALL
    QCOMPARE(box(w, kPcBox)->text(), QStringLiteral("000D"));
    QCOMPARE(box(w, 4)->text(), QStringLiteral("0025"));
    SeenBox seen;
    answerMessage(seen, QMessageBox::Ok);
    press(w, "Command2");
    QCOMPARE(seen.title, QStringLiteral("COMET 標準出力"));
    QCOMPARE(seen.text, QStringLiteral("Hellow COMET"));
    QCOMPARE(box(w, kPcBox)->text(), QStringLiteral("000F"));
    QVERIFY(control<QLabel>(w, "Label6")->text().startsWith(QStringLiteral("Executed Operation =")));
}

void WindowTest::inputBoxStoresTheTypedText() {
    FrmMain w;
    w.show();
    typeSource(w, QStringLiteral("S1  START\n    IN  BUF,LEN\n    EXIT\nBUF DS 3\nLEN DC 5\n    END\n"));
    press(w, "Command1");
    QString title;
    QString prompt;
    whenModal([&](QWidget* modal) {
        auto* input = qobject_cast<QInputDialog*>(modal);
        QVERIFY(input != nullptr);
        title = input->windowTitle();
        prompt = input->labelText();
        input->setTextValue(QStringLiteral("ABCDEFG"));
        input->accept();
    });
    press(w, "Command2");
    QCOMPARE(title, QStringLiteral("COMET Emulation"));
    QCOMPARE(prompt, QStringLiteral("COMET 標準入力"));
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
    QCOMPARE(pc->text(), QStringLiteral("0002"));
    QCOMPARE(list1->currentRow(), 1);
    QCOMPARE(list1->currentItem()->text(), QStringLiteral("0002:  1200  0003 "));
    QCOMPARE(w.workbench().regs.pc, 2);
    pc->selectAll();
    QTest::keyClicks(pc, QStringLiteral("00a2"));
    QCOMPARE(w.workbench().regs.pc, 0xA2);
    QCOMPARE(list1->currentRow(), -1);
    QVERIFY(list1->selectedItems().isEmpty());
}

// Line 3 of the sample, column 4, with two CR LF lines before it: the logic's offset
// counts them as two characters each, the widget as one.
void WindowTest::chooserInsertsAtTheCaret() {
    FrmMain w;
    w.show();
    auto* text1 = control<QPlainTextEdit>(w, "Text1");
    selectInEditor(w, 2, 4, 0);
    const int caret = text1->textCursor().position();
    QCOMPARE(w.workbench().text1.selStart, caret + 2);
    chooseItem(w, 32);  // "GR2    Register 2"
    QCOMPARE(text1->document()->findBlockByNumber(2).text(), QStringLiteral("    GR2LEA   GR0,3"));
    QCOMPARE(text1->textCursor().position(), caret + 3);
    QVERIFY(!text1->textCursor().hasSelection());
    QCOMPARE(text1->toPlainText(), plainOf(w.workbench().text1.text));
    chooseItem(w, 32);  // the same item again inserts again
    QCOMPARE(text1->document()->findBlockByNumber(2).text(), QStringLiteral("    GR2GR2LEA   GR0,3"));
    QCOMPARE(text1->textCursor().position(), caret + 6);
}

void WindowTest::chooserReplacesTheSelection() {
    FrmMain w;
    w.show();
    auto* text1 = control<QPlainTextEdit>(w, "Text1");
    selectInEditor(w, 3, 4, 3);  // "Sub" of "J1  Sub   GR0,Counter"
    QCOMPARE(text1->textCursor().selectedText(), QStringLiteral("Sub"));
    QCOMPARE(w.workbench().text1.selLength, 3);
    chooseItem(w, 0);  // "LD     Load"
    const QTextBlock line = text1->document()->findBlockByNumber(3);
    QCOMPARE(line.text(), QStringLiteral("J1  LD       GR0,Counter"));
    QCOMPARE(text1->textCursor().position(), line.position() + 4 + 6);
    QCOMPARE(control<QComboBox>(w, "Combo1")->currentIndex(), 0);
    QCOMPARE(text1->toPlainText(), plainOf(w.workbench().text1.text));
    // The insertion is one step of the editor's own undo history.
    text1->undo();
    QCOMPARE(text1->document()->findBlockByNumber(3).text(), QStringLiteral("J1  Sub   GR0,Counter"));
    QCOMPARE(w.workbench().text1.text, kSampleProgram);
}

void WindowTest::chooserLosingFocusGivesItToText1() {
    FrmMain w;
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* combo = control<QComboBox>(w, "Combo1");
    combo->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), combo);
    control<QListWidget>(w, "List2")->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), control<QPlainTextEdit>(w, "Text1"));
}

// ---- The viewer ----

void WindowTest::reportsShareOneViewer() {
    auto* w = new FrmMain;
    w->show();
    press(*w, "Command3");
    QPointer<FrmText> viewer = w->viewer();
    QVERIFY(viewer != nullptr);
    QVERIFY(viewer->isVisible());
    QVERIFY(viewer->isWindow());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("操作説明"));
    QVERIFY(viewer->textBox()->toPlainText().startsWith(QStringLiteral("\n■操作方法\n")));
    QVERIFY(viewer->textBox()->isReadOnly());
    press(*w, "Command1");
    press(*w, "Command4");
    QCOMPARE(w->viewer(), viewer.data());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("オブジェクト"));
    QVERIFY(viewer->textBox()->toPlainText().startsWith(QStringLiteral("Addr:  Value\n------------------\n0000:  1240  0026 ")));
    press(*w, "Command5");
    QCOMPARE(w->viewer(), viewer.data());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("実行履歴"));
    QCOMPARE(viewer->textBox()->toPlainText(), QString());
    // Closed by the user, it is made anew by the next report.
    viewer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(viewer.isNull());
    QCOMPARE(w->viewer(), nullptr);
    QVERIFY(!w->workbench().frmText.exists);
    press(*w, "Command3");
    viewer = w->viewer();
    QVERIFY(viewer != nullptr && viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("操作説明"));
    // Closing the main window leaves the viewer open.
    w->close();
    QCoreApplication::processEvents();
    QVERIFY(!w->isVisible());
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
    QCOMPARE(w.workbench().frmText.boxWidth, twipsFromPixels(viewer->width(), dpi) - 250);
    // Too small for the box: it keeps its last size.
    const QSize kept = viewer->textBox()->size();
    viewer->resize(60, 40);
    QCoreApplication::processEvents();
    QCOMPARE(viewer->textBox()->size(), kept);
}

// Every column of the help table starts at the same place on its header line and on
// each row: the tab stops are wide enough for the widest cell.
void WindowTest::helpTableLinesUp() {
    FrmMain w;
    w.show();
    press(w, "Command3");
    QPlainTextEdit* box = w.viewer()->textBox();
    QCoreApplication::processEvents();
    // Laid out afresh with the box's font and tab stops: the widget lays out only what is in view.
    const auto columnStarts = [&](int blockNumber) {
        const QString text = box->document()->findBlockByNumber(blockNumber).text();
        QTextLayout layout(text, box->font());
        layout.setTextOption(box->document()->defaultTextOption());
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        QList<int> starts;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == u'\t') starts << qRound(line.cursorToX(static_cast<int>(i + 1)));
        }
        return starts;
    };
    const QList<int> header = columnStarts(33);
    QCOMPARE(header.size(), 3);
    for (int row : {35, 52, 64, 68, 72, 75}) QCOMPARE(columnStarts(row), header);
}

// ---- Run Mode ----

void WindowTest::runModeStopsThroughTheStopControl() {
    FrmMain w;
    w.show();
    typeSource(w, kCountingLoop);
    press(w, "Command1");
    QTest::mouseClick(control<QLabel>(w, "Label3"), Qt::LeftButton);
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
    QVERIFY(w.workbench().run.halted);
    // The boxes show the state the run stopped in, and the next press resumes there: Esc stops it too.
    const QString pc = box(w, kPcBox)->text();
    QVERIFY(QStringList({"0000", "0002", "0004", "0006"}).contains(pc));
    whenFound(runBox, [](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    press(w, "Command2");
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(w.workbench().run.halted);
}

void WindowTest::noDisplayIsReportedInOneLine() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    char name[] = "comet-workbench";
    char* argv[] = {name, nullptr};
    const int status = runQtWindow(1, argv);
    const auto restore = [](const char* var, const QByteArray& value) {
        if (!value.isEmpty()) qputenv(var, value);
    };
    restore("QT_QPA_PLATFORM", platform);
    restore("DISPLAY", display);
    restore("WAYLAND_DISPLAY", wayland);
    QVERIFY(status != 0);
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
