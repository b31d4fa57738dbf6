// The window shows where things are: problems marked on their lines, the source line
// of the PC and of a listing line, what a Debug Mode step changed, how a press ended,
// lists and viewer that show all of their text, and a help table that lines up.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include <algorithm>
#include <map>

#include "ui/mainwindow.hpp"
#include "ui/problems.hpp"
#include "ui/qt/frm_main.hpp"
#include "ui/qt/frm_text.hpp"
#include "ui/qt/line_gutter.hpp"
#include "ui/qt/qt_text.hpp"
#include "ui/qt/source_editor.hpp"
#include "window_helpers.hpp"

using namespace comet;

namespace {

// A number at the start of line 3 and two names no label defines, on lines 2 and 4.
const QString kThreeErrors = QStringLiteral(
    "S1    START\n"
    "      LD    GR0,X\n"
    "123   LD    GR1,ONE\n"
    "      JMP   NOWHERE\n"
    "      EXIT\n"
    "ONE   DC    1\n"
    "      END\n");

using Marks = std::map<int, ProblemKind>;

// The gutter's marks: line -> kind.
Marks markedLines(FrmMain& w) {
    Marks lines;
    for (const auto& [line, mark] : editorOf(w)->gutter()->marks()) lines[line] = mark.kind;
    return lines;
}

// What the gutter's mark of a line in view says when the pointer rests on it.
QString markTip(FrmMain& w, int line) {
    SourceEditor* editor = editorOf(w);
    for (const VisibleLine& row : editor->visibleLines()) {
        if (row.line == line) return editor->gutter()->toolTipAt(editor->gutter()->markRect(row.top, row.height).center());
    }
    return {};
}

// What the editor says when the pointer rests on a character of a line (1-based line, 0-based column).
QString textTip(FrmMain& w, int line, int column) {
    SourceEditor* editor = editorOf(w);
    QTextCursor at(editor->document()->findBlockByNumber(line - 1));
    at.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
    return editor->toolTipAt(editor->cursorRect(at).center() + QPoint(2, 0));
}

QString problemCount(FrmMain& w) { return control<QToolButton>(w, "problemCount")->text(); }

void clickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

bool highlighted(QLineEdit* box) { return box->palette().color(QPalette::Base) != QLineEdit().palette().color(QPalette::Base); }
bool highlighted(QListWidget* list, int row) { return list->item(row)->background().style() != Qt::NoBrush; }

}  // namespace

class WhereTest : public QObject {
    Q_OBJECT

private slots:
    void problemsAreMarkedOnTheirLines();
    void editingAMarkedLineClearsItsMark();
    void aTabLineIsWarnedAndFixed();
    void aListingLineSelectsItsSourceLine();
    void steppingTheSampleFollowsItsSourceLines();
    void aDebugStepHighlightsWhatChanged();
    void theStatusBarTellsHowEachPressEnded();
    void longListingLinesScrollSideways();
    void theHistoryOpensAtItsNewestLine();
    void helpTableColumnsLineUpInPixels();
};

// ---- Problems ----

void WhereTest::problemsAreMarkedOnTheirLines() {
    FrmMain w;
    w.show();
    assemble(w, kThreeErrors);
    QVERIFY((markedLines(w) == Marks{{2, ProblemKind::UndefinedName}, {3, ProblemKind::Error}, {4, ProblemKind::UndefinedName}}));
    QCOMPARE(markTip(w, 3), QStringLiteral("Syntax Error (Address=2)\nAddress 0002 in hexadecimal"));
    QCOMPARE(textTip(w, 2, 16), QStringLiteral("X が未定義です"));  // on the operand X
    QCOMPARE(textTip(w, 2, 6), QString());                          // on LD: nothing wrong there
    QCOMPARE(problemCount(w), QStringLiteral("1 error, 2 undefined names"));

    // The count opens the list; a row puts the caret where its problem is.
    control<QToolButton>(w, "problemCount")->click();
    QVERIFY(control<QWidget>(w, "problemDock")->isVisible());
    auto* list = control<QListWidget>(w, "problemList");
    QCOMPARE(list->item(2)->text(), QStringLiteral("4:13  undefined name: NOWHERE が未定義です"));
    clickRow(list, 2);
    QCOMPARE(editorOf(w)->textCursor().blockNumber(), 3);
    QVERIFY(saveShot(w, "marked-errors.png"));
}

void WhereTest::editingAMarkedLineClearsItsMark() {
    FrmMain w;
    w.show();
    assemble(w, kThreeErrors);
    SourceEditor* editor = editorOf(w);
    QTextCursor cursor(editor->document()->findBlockByNumber(1));
    cursor.movePosition(QTextCursor::EndOfBlock);
    editor->setTextCursor(cursor);
    QTest::keyClicks(editor, QStringLiteral("1"));  // "X1": line 2 is edited
    QVERIFY((markedLines(w) == Marks{{3, ProblemKind::Error}, {4, ProblemKind::UndefinedName}}));
    // A new line above moves the marks of the lines below it with them.
    editor->moveCursor(QTextCursor::Start);
    QTest::keyClick(editor, Qt::Key_Return);
    QVERIFY((markedLines(w) == Marks{{4, ProblemKind::Error}, {5, ProblemKind::UndefinedName}}));
}

void WhereTest::aTabLineIsWarnedAndFixed() {
    FrmMain w;
    w.show();
    assemble(w, QStringLiteral("      LEA\tGR1,5\n      EXIT\nMSG   DC    'A\tB'\n"));
    QVERIFY(markTip(w, 1).contains(toQString(kTabWarning)));  // with the errors the tab made
    QVERIFY(!markedLines(w).contains(3));  // a tab in a string constant is a character like any other
    control<QAction>(w, "replaceTabs")->trigger();
    QCOMPARE(editorOf(w)->document()->findBlockByNumber(0).text(), QStringLiteral("      LEA       GR1,5"));
    QVERIFY(!markedLines(w).contains(1));
    assemble(w, editorOf(w)->toPlainText());  // the next ASM of a sound program clears every mark
    QVERIFY(markedLines(w).empty());
    QCOMPARE(problemCount(w), QStringLiteral("No problems"));
    QCOMPARE(control<QListWidget>(w, "problemList")->count(), 0);
}

// ---- Source lines of the listing and of the PC ----

void WhereTest::aListingLineSelectsItsSourceLine() {
    FrmMain w;
    w.show();
    assemble(w, kThreeErrors);
    clickRow(control<QListWidget>(w, "List1"), 3);  // "0005:  0001 "
    QCOMPARE(editorOf(w)->textCursor().selectedText(), QStringLiteral("ONE   DC    1"));
}

// Which line the PC is on after each step is the session tests' to check; here the
// editor highlights it.
void WhereTest::steppingTheSampleFollowsItsSourceLines() {
    FrmMain w;
    w.show();
    press(w, "Command1");
    for (const int line : {2, 3}) {  // LEA GR4,STACK at 0000, then LEA GR0,3
        QCOMPARE(editorOf(w)->pcLine(), line);
        QCOMPARE(editorOf(w)->extraSelections().value(0).cursor.blockNumber(), line - 1);
        press(w, "Command2");
    }
}

// ---- What a step changed, how a press ended ----

void WhereTest::aDebugStepHighlightsWhatChanged() {
    FrmMain w;
    w.show();
    assemble(w, QStringLiteral("      LEA   GR1,5\n      ADD   GR1,ONE\n      ST    GR1,SUM\n      EXIT\n"
                               "ONE   DC    1\nSUM   DC    0\n"));
    press(w, "Command2");  // LEA
    press(w, "Command2");  // ADD: GR1 5 -> 6, FR stays plus
    QVERIFY(highlighted(box(w, 1)));
    QVERIFY(!highlighted(box(w, 0)));
    auto* list2 = control<QListWidget>(w, "List2");
    press(w, "Command2");  // ST: the word SUM at 0008 changes, GR1 does not
    QVERIFY(saveShot(w, "changed-values.png"));
    QVERIFY(!highlighted(box(w, 1)));
    QVERIFY(highlighted(list2, 8));
    QVERIFY(!highlighted(list2, 7));
    press(w, "Command1");  // ASM forgets the marks
    QVERIFY(!highlighted(list2, 8));
}

// The words of each ending are the session tests' to check; the window adds the run's time.
void WhereTest::theStatusBarTellsHowEachPressEnded() {
    FrmMain w;
    w.show();
    press(w, "Command1");
    switchToRunMode(w);
    MessageAnswerer answerer;
    press(w, "Command2");
    QVERIFY2(statusOf(w).startsWith(QLatin1String("Ended by EXIT after 19 instructions (")), qPrintable(statusOf(w)));
    QVERIFY2(statusOf(w).endsWith(QLatin1String(" ms)")), qPrintable(statusOf(w)));
}

// ---- Lists and the viewer show all of their text ----

// Whenever a line is wider than its list, the list has a horizontal scroll bar that
// reaches its end: the listing's DS line among shorter ones, the dump's lines beside
// its vertical scroll bar.
void WhereTest::longListingLinesScrollSideways() {
    FrmMain w;
    w.show();
    assemble(w, QStringLiteral("      DC    1\n").repeated(11) + QStringLiteral("      DS    10\n      DC    2\n"));
    QCoreApplication::processEvents();
    for (const char* name : {"List1", "List2"}) {
        auto* list = control<QListWidget>(w, name);
        int widest = 0;
        for (int i = 0; i < list->count(); ++i) widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->item(i)->text()));
        const int beyond = widest - list->viewport()->width();
        QCOMPARE(list->horizontalScrollBar()->isVisible(), beyond > 0);
        QVERIFY(list->horizontalScrollBar()->maximum() >= beyond);
    }
    QVERIFY(control<QListWidget>(w, "List1")->horizontalScrollBar()->isVisible());  // "000B:  0000 0000 ..."
}

void WhereTest::theHistoryOpensAtItsNewestLine() {
    FrmMain w;
    w.show();
    press(w, "Command1");
    switchToRunMode(w);
    {
        MessageAnswerer answerer;
        press(w, "Command2");
    }
    press(w, "Command5");
    QPlainTextEdit* text = w.viewer()->textBox();
    QScrollBar* bar = text->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());
    QTest::keyClick(text, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(bar->value(), 0);
    QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
    QVERIFY(bar->value() >= bar->maximum() - 1);  // the last line in view
    press(w, "Command3");  // the help opens at its top
    QCOMPARE(bar->value(), 0);
}

// Drawn as the user sees it: on every row of the mnemonic table, the ink of the second,
// third and fourth columns begins at the same place as on the header row. A glyph's
// ink starts a pixel or two into its cell, by its shape, so that is the tolerance; a
// column pushed to the next tab stop would be off by a whole tab.
void WhereTest::helpTableColumnsLineUpInPixels() {
    FrmMain w;
    w.show();
    press(w, "Command3");
    QPlainTextEdit* text = w.viewer()->textBox();
    const int gap = 2 * text->fontMetrics().horizontalAdvance(QLatin1Char(' '));  // wider than any gap within a cell
    // The left edges of the cells of one line, found in the pixels the viewer draws.
    const auto cellStarts = [&](int blockNumber) {
        text->verticalScrollBar()->setValue(blockNumber - 1);
        QCoreApplication::processEvents();
        const QRect line = text->cursorRect(QTextCursor(text->document()->findBlockByNumber(blockNumber)));
        const QImage image = text->viewport()->grab().toImage().scaled(text->viewport()->size());
        QList<int> starts;
        int lastInk = -gap - 1;
        for (int x = 0; x < image.width(); ++x) {
            bool ink = false;
            for (int y = std::max(line.top(), 0); y <= std::min(line.bottom(), image.height() - 1) && !ink; ++y)
                ink = qGray(image.pixel(x, y)) < 128;
            if (!ink) continue;
            if (x - lastInk > gap) starts << x;
            lastInk = x;
        }
        return starts;
    };
    const QList<int> header = cellStarts(33);
    QCOMPARE(header.size(), 4);
    // The assembler mnemonics' code field is blank: they have no third column to see.
    for (int row : {35, 36, 37, 45, 46, 52, 55, 57, 60, 64, 68, 72, 75}) {
        const QList<int> cells = cellStarts(row);
        const QList<int> columns = row >= 72 ? QList<int>{1, 3} : QList<int>{1, 2, 3};
        QCOMPARE(cells.size(), columns.size() + 1);
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const int c = columns[i];
            QVERIFY2(std::abs(cells[i + 1] - header[c]) <= 2,
                     qPrintable(QStringLiteral("line %1 column %2: %3 against %4").arg(row).arg(c + 1).arg(cells[i + 1]).arg(header[c])));
        }
    }
}

QTEST_MAIN(WhereTest)
#include "where_test.moc"
