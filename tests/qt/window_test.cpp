// The workbench window through its real widgets: what the user sees after each action,
// the modal boxes answered as a user would, the viewer, and a Run Mode run stopped by
// the Stop control, by Esc and by closing the window. From the keyboard and on any
// screen: Tab goes round the controls as in a form and never types a tab, the commands
// have keys shown in their tooltips and in the Run menu, zoom scales the controls and
// their texts, a small window scrolls, and the windows carry the program's icon.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextBlock>
#include <QTest>

#include "emulator/engine.hpp"
#include "session/mainwindow.hpp"
#include "qt/frm_main.hpp"
#include "qt/frm_text.hpp"
#include "qt/qt_text.hpp"
#include "qt/source_editor.hpp"
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


// The object names of the controls the focus visits, pressing `key` from Text1 until
// it is back there (at most 40 presses).
QStringList focusRing(FrmMain& w, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QPlainTextEdit* text1 = editorOf(w);
    text1->setFocus(Qt::OtherFocusReason);
    QStringList visited;
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QApplication::processEvents();
        QWidget* focus = QApplication::focusWidget();
        if (focus == text1) break;
        visited << (focus != nullptr ? focus->objectName() : QStringLiteral("(none)"));
    }
    return visited;
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
    void tabGoesRoundTheForm();
    void pastedTabsStay();
    void commandKeys();
    void zoomScalesTheControls();
    void aSmallWindowScrolls();
    void theWindowsCarryTheIcon();
};

// ---- Main window ----

// The logic's start-up state is the session tests' to check; here what only the window has.
void WindowTest::startUpState() {
    ShownWindow w;
    QCOMPARE(editorOf(w)->toPlainText(), plainOf(kSampleProgram));
    QCOMPARE(control<QComboBox>(w, "Combo1")->currentText(), QStringLiteral("LD     Load"));
    QCOMPARE(editorOf(w)->lineWrapMode(), QPlainTextEdit::NoWrap);
    // The form's own words, spelt as the course handouts print them.
    QStringList words;
    for (const auto* label : w.findChildren<QLabel*>()) words << label->text();
    for (const auto* button : w.findChildren<QPushButton*>()) words << button->text();
    for (const char* word : {"Souce Program", "Object Program", "Memory Dump", "ASM", "Exec", "操作説明", "オブジェクト表示",
                             "実行履歴表示", "GR4(SP)", "    FR", "    PC"})
        QVERIFY2(words.contains(QString::fromUtf8(word)), word);
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
    ShownWindow w;
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
    QVERIFY(control<QLabel>(w, "Label6")->text().startsWith(QStringLiteral("Executed Operation =")));
}

void WindowTest::inputBoxStoresTheTypedText() {
    ShownWindow w;
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
    ShownWindow w;
    press(w, "Command1");
    QLineEdit* pc = box(w, kPcBox);
    pc->selectAll();
    QTest::keyClicks(pc, QStringLiteral("0002"));
    auto* list1 = control<QListWidget>(w, "List1");
    QCOMPARE(list1->currentRow(), 1);
    QCOMPARE(w.workbench().regs.pc, 2);
    QTest::keyClick(pc, Qt::Key_Backspace);  // "000" starts no line
    QVERIFY(list1->selectedItems().isEmpty());
}

// Line 3 of the sample, column 4, with two CR LF lines before it: the logic's offset
// counts them as two characters each, the widget as one. A selection is replaced, as
// one step of the editor's own undo history.
void WindowTest::chooserInsertsAtTheCaretOrReplacesTheSelection() {
    ShownWindow w;
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
    ActiveWindow w;
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
    QVERIFY(!w->workbench().frmText.exists);
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
    ShownWindow w;
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
    viewer->resize(600, 400);  // when it is too small, the unit tests see it keep its size
    QCoreApplication::processEvents();
    QCOMPARE(viewer->textBox()->size(), expectBox());
}

// ---- Run Mode ----

// The Stop control of the run's box, Esc in that box and Esc in the main window each
// stop a run of the counting loop; the window is repainted during the run.
void WindowTest::runModeStopsByStopAndEsc() {
    ActiveWindow w;
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
    ShownWindow w;
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

// ---- The keyboard, zoom, small screens and the icon ----

void WindowTest::tabGoesRoundTheForm() {
    ActiveWindow w;
    const QString text = editorOf(w)->toPlainText();
    const QStringList ring = QStringLiteral("Command1 Command2 Label3 txtGR6 txtGR0 txtGR1 txtGR2 txtGR3 txtGR4 txtGR5 "
                                            "List1 List2 Command3 Command4 Command5 Combo1").split(u' ');
    QCOMPARE(focusRing(w, Qt::Key_Tab, Qt::NoModifier), ring);
    press(w, "Command1");  // the status bar's problem count appears, and joins the ring before the chooser
    QStringList withCount = ring;
    withCount.insert(ring.size() - 1, QStringLiteral("problemCount"));
    QCOMPARE(focusRing(w, Qt::Key_Tab, Qt::NoModifier), withCount);
    QCOMPARE(focusRing(w, Qt::Key_Tab, Qt::ControlModifier).value(0), QStringLiteral("Command1"));
    QCOMPARE(focusRing(w, Qt::Key_Backtab, Qt::ShiftModifier).value(0), QStringLiteral("Combo1"));
    QCOMPARE(editorOf(w)->toPlainText(), text);  // no key typed a tab
}

void WindowTest::pastedTabsStay() {
    ActiveWindow w;
    QPlainTextEdit* text1 = editorOf(w);
    text1->clear();
    QApplication::clipboard()->setText(QStringLiteral("L1\tLD\tGR0,A"));
    text1->paste();
    QCOMPARE(w.workbench().text1.text, Text(u"L1\tLD\tGR0,A"));
}

// F7 assembles, F6 switches the mode (Space too, on the focused label), F5 executes.
void WindowTest::commandKeys() {
    ActiveWindow w;
    QPlainTextEdit* text1 = editorOf(w);
    auto* label3 = control<QLabel>(w, "Label3");
    QTest::keyClick(text1, Qt::Key_F7);
    QCOMPARE(control<QListWidget>(w, "List1")->count(), 15);
    QTest::keyClick(text1, Qt::Key_F5);
    QCOMPARE(box(w, kPcBox)->text(), QStringLiteral("0002"));
    QTest::keyClick(text1, Qt::Key_F6);
    QCOMPARE(label3->text(), QStringLiteral("Run Mode"));
    label3->setFocus(Qt::TabFocusReason);
    QTest::keyClick(label3, Qt::Key_Space);
    QCOMPARE(label3->text(), QStringLiteral("Debug Mode"));
    QTest::keyClick(label3, Qt::Key_Return);
    QCOMPARE(label3->text(), QStringLiteral("Run Mode"));

    QCOMPARE(control<QPushButton>(w, "Command1")->toolTip(), QStringLiteral("Assemble the program (F7)"));
    QStringList menu;
    for (QAction* action : control<QMenu>(w, "runMenu")->actions()) {
        if (!action->isSeparator()) menu << action->text() + QLatin1Char(' ') + action->shortcut().toString();
    }
    QCOMPARE(menu, (QStringList{"&ASM F7", "&Exec F5", "&Back Shift+F5", "Run to &cursor F4", "Switch &mode F6",
                                "Toggle break&point F9", "&Reset Ctrl+Shift+F5", "&Speed ", "Check against &cases\u2026 ",
                                "Stop the run Esc"}));
}

// Each step scales the controls with their texts; the reset gives the design's places back.
void WindowTest::zoomScalesTheControls() {
    ActiveWindow w;
    QPlainTextEdit* text1 = editorOf(w);
    auto* asm1 = control<QPushButton>(w, "Command1");
    const QRect design = asm1->geometry();
    const qreal designSize = text1->font().pointSizeF();
    press(w, "Command3");
    QTest::keyClick(text1, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(text1, Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(w.zoomPercent(), 125);
    QCOMPARE(text1->font().pointSizeF(), designSize * 1.25);
    QCOMPARE(box(w, 0)->font().pointSizeF(), designSize * 1.25);
    QCOMPARE(w.viewer()->textBox()->font().pointSizeF(), designSize * 1.25);
    QApplication::processEvents();  // the area's scroll bars follow its new size
    QVERIFY(saveShot(w, "zoomed.png"));
    activate(w);  // back from the viewer
    QVERIFY(asm1->font().pointSizeF() > QApplication::font().pointSizeF());
    QCOMPARE(asm1->height(), pixelsFromTwips(375 * 125 / 100, w.logicalDpiY()));
    QWidget* frame = box(w, 5)->parentWidget();  // FR at the bottom of the frame "Register"
    QVERIFY(box(w, 5)->geometry().bottom() < frame->height());
    QVERIFY(frame->geometry().bottom() < control<QScrollArea>(w, "centralScroll")->widget()->height());
    QTest::keyClick(text1, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(w.zoomPercent(), 110);
    QTest::keyClick(text1, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(w.zoomPercent(), 100);
    QTRY_COMPARE(asm1->geometry(), design);  // once the area has taken its new size
    QCOMPARE(text1->font().pointSizeF(), designSize);
    for (int i = 0; i < 20; ++i) w.zoomBy(-1);
    QCOMPARE(w.zoomPercent(), 50);  // the smallest level stays
}

// At its design size the window shows everything with no scroll bar; smaller, the
// columns give up width first, then the area scrolls.
void WindowTest::aSmallWindowScrolls() {
    ActiveWindow w;
    auto* scroll = control<QScrollArea>(w, "centralScroll");
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
    QCOMPARE(scroll->widget()->width(), pixelsFromTwips(kMainDesignWidth, w.logicalDpiX()));
    QPlainTextEdit* text1 = editorOf(w);
    auto* list2 = control<QListWidget>(w, "List2");
    auto* asm1 = control<QPushButton>(w, "Command1");
    const int designWidth = text1->width();

    w.resize(w.width() - 100, w.height());
    QTRY_VERIFY(text1->width() < designWidth);
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    QVERIFY(list2->geometry().right() < asm1->geometry().left());  // the panel stays clear of the columns

    w.resize(300, 200);
    QTRY_VERIFY(scroll->horizontalScrollBar()->isVisible());
    scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum() / 2);
    QVERIFY(saveShot(w, "small.png"));
    QVERIFY(scroll->verticalScrollBar()->isVisible());
    QVERIFY(text1->width() >= designWidth * 3 / 4 - 1);
    QVERIFY(list2->geometry().right() < asm1->geometry().left());
    for (const char* name : {"Command3", "Combo1", "Command4", "Command5", "Command1"}) {  // side by side, none over another
        const QRect right = control<QWidget>(w, name)->geometry();
        for (const char* other : {"Command3", "Combo1", "Command4", "Command5", "Command1"}) {
            if (qstrcmp(name, other) != 0) QVERIFY2(!right.intersects(control<QWidget>(w, other)->geometry()), name);
        }
    }
}

void WindowTest::theWindowsCarryTheIcon() {
    ActiveWindow w;
    const QList<QSize> sizes = w.windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)));
    QVERIFY(sizes.contains(QSize(256, 256)));
    press(w, "Command3");
    QVERIFY(!w.viewer()->windowIcon().isNull());
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
