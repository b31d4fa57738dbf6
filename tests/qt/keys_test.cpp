// The window from the keyboard and on any screen: Tab goes round the controls as in a
// form and never types a tab, the commands have keys shown in their tooltips and in the
// Run menu, zoom scales the controls and their texts, a small window scrolls, and the
// windows carry the program's icon.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "ui/qt/frm_main.hpp"
#include "ui/qt/frm_text.hpp"
#include "ui/qt/qt_text.hpp"
#include "ui/qt/source_editor.hpp"
#include "window_helpers.hpp"

using namespace comet;

namespace {

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

class KeysTest : public QObject {
    Q_OBJECT

private slots:
    void tabGoesRoundTheForm();
    void pastedTabsStay();
    void commandKeys();
    void zoomScalesTheControls();
    void aSmallWindowScrolls();
    void theWindowsCarryTheIcon();
};

void KeysTest::tabGoesRoundTheForm() {
    FrmMain w;
    activate(w);
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

void KeysTest::pastedTabsStay() {
    FrmMain w;
    activate(w);
    QPlainTextEdit* text1 = editorOf(w);
    text1->clear();
    QApplication::clipboard()->setText(QStringLiteral("L1\tLD\tGR0,A"));
    text1->paste();
    QCOMPARE(w.workbench().text1.text, Text(u"L1\tLD\tGR0,A"));
}

// F7 assembles, F6 switches the mode (Space too, on the focused label), F5 executes.
void KeysTest::commandKeys() {
    FrmMain w;
    activate(w);
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
                                "Toggle break&point F9", "&Reset Ctrl+Shift+F5", "&Speed ", "Stop the run Esc"}));
}

// Each step scales the controls with their texts; the reset gives the design's places back.
void KeysTest::zoomScalesTheControls() {
    FrmMain w;
    activate(w);
    QPlainTextEdit* text1 = editorOf(w);
    auto* asm1 = control<QPushButton>(w, "Command1");
    const QRect design = asm1->geometry();
    const qreal designSize = text1->font().pointSizeF();
    QCOMPARE(design.topLeft(), QPoint(pixelsFromTwips(9135, w.logicalDpiX()), pixelsFromTwips(120, w.logicalDpiY())));
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
void KeysTest::aSmallWindowScrolls() {
    FrmMain w;
    activate(w);
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

void KeysTest::theWindowsCarryTheIcon() {
    FrmMain w;
    activate(w);
    const QList<QSize> sizes = w.windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)));
    QVERIFY(sizes.contains(QSize(256, 256)));
    press(w, "Command3");
    QVERIFY(!w.viewer()->windowIcon().isNull());
}

QTEST_MAIN(KeysTest)
#include "keys_test.moc"
