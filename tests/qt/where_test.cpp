// The window shows where things are: problems marked on their lines, the source line
// of the PC and of a listing line, what a Debug Mode step changed, how a press ended,
// lists and viewer that show all of their text, and a help table that lines up.
// Debugging: breakpoints from the gutter, F9 and the listing, drawn beside their lines;
// Back and Reset with their keys; a run watched at a speed and stopped by Stop; an
// endless loop named in the status bar.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QHelpEvent>
#include <QListWidget>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolTip>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include <algorithm>
#include <map>

#include "session/mainwindow.hpp"
#include "session/problems.hpp"
#include "qt/breakpoint_marks.hpp"
#include "qt/frm_main.hpp"
#include "qt/frm_text.hpp"
#include "qt/line_gutter.hpp"
#include "qt/qt_text.hpp"
#include "qt/source_editor.hpp"
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

// Every box's text, Label6 and the listing's selection.
QStringList shown(FrmMain& w) {
    QStringList texts;
    for (int k = 0; k < kBoxCount; ++k) texts << box(w, k)->text();
    return texts << control<QLabel>(w, "Label6")->text() << QString::number(control<QListWidget>(w, "List1")->currentRow());
}

}  // namespace

class WhereTest : public QObject {
    Q_OBJECT

private slots:
    void problemsAreMarkedOnTheirLines();
    void explanationsAndWarningsInEitherLanguage();
    void aRegisterBoxTellsItsValueEveryWay();
    void listingAndDumpLinesTellTheirWords();
    void editingAMarkedLineClearsItsMark();
    void aTabLineIsWarnedAndFixed();
    void aListingLineSelectsItsSourceLine();
    void steppingTheSampleFollowsItsSourceLines();
    void aDebugStepHighlightsWhatChanged();
    void theStatusBarTellsHowEachPressEnded();
    void menusAndStatusFollowTheLanguage();
    void longListingLinesScrollSideways();
    void theHistoryOpensAtItsNewestLine();
    void helpTableColumnsLineUpInPixels();
    void gutterClickAndF9SetBreakpointsThatStopRuns();
    void aListingDoubleClickTogglesItsLine();
    void backUndoesStepsAndResetStartsOver();
    void aWatchedRunStopsAtABreakpointAndByStop();
    void anEndlessLoopIsNamedInTheStatusBar();
    void aRunFaultIsExplainedInTheStatusAndTheRunSection();
};

// ---- Problems ----

void WhereTest::problemsAreMarkedOnTheirLines() {
    setLanguage(Language::English);
    ShownWindow w;
    assemble(w, kThreeErrors);
    QVERIFY((markedLines(w) == Marks{{2, ProblemKind::UndefinedName}, {3, ProblemKind::Error}, {4, ProblemKind::UndefinedName}}));
    // Each tip explains its message, in the language of the moment.
    QCOMPARE(markTip(w, 3), QStringLiteral("Syntax Error (Address=2)\nAddress 0002 in hexadecimal\n"
                                           "A statement begins with a label or an instruction; 123 is a number. A label "
                                           "begins with a letter.\nAddress=2 is where the statement on line 3 would have been placed."));
    QCOMPARE(textTip(w, 2, 16), QStringLiteral("X が未定義です\nNo label of this program is named X; the word reads as 0.\n"
                                               "Define it as a label (NAME DC 0, NAME DS 1) or correct the name."));  // on the operand X
    QCOMPARE(textTip(w, 2, 2), QString());                          // before LD: nothing wrong there, no word
    QCOMPARE(problemCount(w), QStringLiteral("1 error, 2 undefined names"));

    // The count opens the list; a row puts the caret where its problem is.
    control<QToolButton>(w, "problemCount")->click();
    QVERIFY(control<QWidget>(w, "problemDock")->isVisible());
    auto* list = control<QListWidget>(w, "problemList");
    QCOMPARE(list->item(2)->text(), QStringLiteral("4:13  undefined name: NOWHERE が未定義です"));
    clickRow(list, 2);
    QCOMPARE(editorOf(w)->textCursor().blockNumber(), 3);
    QVERIFY(saveShot(w, "marked-errors.png"));

    // View > Language draws the workbench's own texts anew; the design's stay as they are.
    const QList<QAction*> languages = control<QMenu>(w, "languageMenu")->actions();
    languages.at(1)->trigger();
    QCOMPARE(problemCount(w), QStringLiteral("エラー 1 件, 未定義の名前 2 件"));
    QCOMPARE(list->item(2)->text(), QStringLiteral("4:13  未定義の名前: NOWHERE が未定義です"));
    QVERIFY(markTip(w, 3).contains(QStringLiteral("123 は数です。")));
    QVERIFY(saveShot(w, "marked-errors-ja.png"));
    languages.at(0)->trigger();
    QCOMPARE(problemCount(w), QStringLiteral("1 error, 2 undefined names"));
}

// The tooltip the window shows for `tip`, saved as a picture of its own when screenshots are asked for.
bool saveTipShot(FrmMain& w, const QString& tip, const char* name) {
    QToolTip::showText(w.mapToGlobal(QPoint(40, 120)), tip, &w);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->inherits("QTipLabel") && top->isVisible()) return saveShot(*top, name);
    }
    return false;
}

void WhereTest::explanationsAndWarningsInEitherLanguage() {
    setLanguage(Language::English);
    ShownWindow w;
    assemble(w, QStringLiteral("PGM   START\n      LDX   GR2,A\n      LD    GR1,COUNT\nOUT   LD    GR1,A\n"
                               "      EXIT\nA     DC    3\nCOUNTER DC  5\n      END\n"));
    QVERIFY((markedLines(w) == Marks{{2, ProblemKind::Error}, {3, ProblemKind::UndefinedName}, {4, ProblemKind::Warning}}));
    QVERIFY(markTip(w, 2).contains(QStringLiteral("LDX is no instruction.\n")));
    QVERIFY(markTip(w, 2).contains(QStringLiteral("Did you mean LD?")));
    QVERIFY(textTip(w, 3, 16).endsWith(QStringLiteral("Did you mean COUNTER?")));
    QVERIFY(markTip(w, 4).startsWith(QStringLiteral("OUT at the start of the line is the instruction OUT")));
    control<QToolButton>(w, "problemCount")->click();
    QVERIFY(saveShot(w, "explained-en.png"));
    QVERIFY(saveTipShot(w, markTip(w, 2), "explained-tip-en.png"));

    control<QMenu>(w, "languageMenu")->actions().at(1)->trigger();
    QVERIFY(markTip(w, 2).contains(QStringLiteral("LD のことですか？")));
    QVERIFY(textTip(w, 3, 16).endsWith(QStringLiteral("COUNTER のことですか？")));
    assemble(w, editorOf(w)->toPlainText());  // a warning's own text follows at the next ASM
    QVERIFY(markTip(w, 4).startsWith(QStringLiteral("行頭の OUT はラベルではなく命令 OUT です。")));
    QVERIFY(saveShot(w, "explained-ja.png"));
    QVERIFY(saveTipShot(w, markTip(w, 2), "explained-tip-ja.png"));
    control<QMenu>(w, "languageMenu")->actions().at(0)->trigger();
}

void WhereTest::aRegisterBoxTellsItsValueEveryWay() {
    setLanguage(Language::English);
    ShownWindow w;
    assemble(w, QStringLiteral("      LEA   GR2,0\n      LD    GR1,A\n      EXIT\nA     DC    #8041\n"));
    press(w, "Command2");  // LEA: FR zero
    press(w, "Command2");  // LD
    const QString gr1 = control<QLineEdit>(w, "txtGR1")->toolTip();
    QCOMPARE(gr1, QStringLiteral("Hexadecimal 8041\nUnsigned decimal 32833\nSigned decimal -32703\n"
                                 "Binary 1000 0000 0100 0001\nCharacters '·A'"));
    QVERIFY(control<QLineEdit>(w, "txtGR5")->toolTip().startsWith(QStringLiteral("FR 4000: the last result was 0\n")));
    QVERIFY(saveTipShot(w, gr1, "register-tip-en.png"));
    control<QMenu>(w, "languageMenu")->actions().at(1)->trigger();
    QVERIFY(control<QLineEdit>(w, "txtGR1")->toolTip().startsWith(QStringLiteral("16 進数 8041\n")));
    QVERIFY(saveTipShot(w, control<QLineEdit>(w, "txtGR1")->toolTip(), "register-tip-ja.png"));
    control<QMenu>(w, "languageMenu")->actions().at(0)->trigger();
}

// The tooltip a list shows when the pointer rests on its line `row`.
QString rowTip(FrmMain& w, const char* list, int row) {
    auto* widget = control<QListWidget>(w, list);
    const QPoint at = widget->visualItemRect(widget->item(row)).center();
    QHelpEvent event(QEvent::ToolTip, at, widget->viewport()->mapToGlobal(at));
    QApplication::sendEvent(widget->viewport(), &event);
    return widget->item(row)->toolTip();
}

void WhereTest::listingAndDumpLinesTellTheirWords() {
    setLanguage(Language::English);
    ShownWindow w;
    assemble(w, QStringLiteral("      LD    GR1,A,GR2\n      RET\nA     DC    #0700\n"));
    QCOMPARE(rowTip(w, "List1", 0), QStringLiteral("Line 1:       LD    GR1,A,GR2\nInstruction LD GR1, 0003, GR2\nHexadecimal 1012\n"
                                                  "Unsigned decimal 4114\nSigned decimal 4114\nBinary 0001 0000 0001 0010\nCharacters '··'"));
    QVERIFY(rowTip(w, "List1", 1).startsWith(QStringLiteral("Line 2:       RET\nInstruction RET\nHexadecimal 0700\n")));
    QVERIFY(rowTip(w, "List2", 3).startsWith(QStringLiteral("Line 3: A     DC    #0700\nHexadecimal 0700\n")));
    QVERIFY(saveTipShot(w, rowTip(w, "List1", 0), "listing-tip-en.png"));
    control<QMenu>(w, "languageMenu")->actions().at(1)->trigger();
    QVERIFY(rowTip(w, "List2", 1).startsWith(QStringLiteral("1 行目:       LD    GR1,A,GR2\n16 進数 0003\n")));
    control<QMenu>(w, "languageMenu")->actions().at(0)->trigger();
}

void WhereTest::editingAMarkedLineClearsItsMark() {
    ShownWindow w;
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
    ShownWindow w;
    assemble(w, QStringLiteral("      LEA\tGR1,5\n      EXIT\nMSG   DC    'A\tB'\n"));
    QVERIFY(markTip(w, 1).contains(QString::fromStdString(message(Msg::TabWarning))));  // with the errors the tab made
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
    ShownWindow w;
    assemble(w, kThreeErrors);
    clickRow(control<QListWidget>(w, "List1"), 3);  // "0005:  0001 "
    QCOMPARE(editorOf(w)->textCursor().selectedText(), QStringLiteral("ONE   DC    1"));
}

// Which line the PC is on after each step is the session tests' to check; here the
// editor highlights it.
void WhereTest::steppingTheSampleFollowsItsSourceLines() {
    ShownWindow w;
    press(w, "Command1");
    for (const int line : {2, 3}) {  // LEA GR4,STACK at 0000, then LEA GR0,3
        QCOMPARE(editorOf(w)->pcLine(), line);
        QCOMPARE(editorOf(w)->extraSelections().value(0).cursor.blockNumber(), line - 1);
        press(w, "Command2");
    }
}

// ---- What a step changed, how a press ended ----

void WhereTest::aDebugStepHighlightsWhatChanged() {
    ShownWindow w;
    assemble(w, QStringLiteral("      LEA   GR1,5\n      ADD   GR1,ONE\n      ST    GR1,SUM\n      EXIT\n"
                               "ONE   DC    1\nSUM   DC    0\n"));
    press(w, "Command2");  // LEA
    press(w, "Command2");  // ADD: GR1 5 -> 6, FR stays plus
    QVERIFY(highlighted(box(w, 1)));
    QVERIFY(!highlighted(box(w, 0)));
    press(w, "Command2");  // ST: the word SUM at 0008 changes, GR1 does not
    QVERIFY(saveShot(w, "changed-values.png"));
    QVERIFY(!highlighted(box(w, 1)));
    QVERIFY(highlighted(control<QListWidget>(w, "List2"), 8));
    press(w, "Command1");  // ASM forgets the marks
    QVERIFY(!highlighted(control<QListWidget>(w, "List2"), 8));
}

// The words of each ending are the session tests' to check; the window adds the run's time.
void WhereTest::theStatusBarTellsHowEachPressEnded() {
    ShownWindow w;
    press(w, "Command1");
    switchToRunMode(w);
    MessageAnswerer answerer;
    press(w, "Command2");
    QVERIFY2(statusOf(w).startsWith(QLatin1String("Ended by EXIT after 19 instructions (")), qPrintable(statusOf(w)));
    QVERIFY2(statusOf(w).endsWith(QLatin1String(" ms)")), qPrintable(statusOf(w)));
}

// View > Language retitles the menus and redraws the status bar at once.
void WhereTest::menusAndStatusFollowTheLanguage() {
    setLanguage(Language::English);
    ShownWindow w;
    press(w, "Command1");
    switchToRunMode(w);
    MessageAnswerer answerer;
    press(w, "Command2");
    const auto titles = [&] {
        QStringList t;
        for (QAction* menu : w.menuBar()->actions()) t << menu->text();
        return t;
    };
    QCOMPARE(titles(), (QStringList{QStringLiteral("&File"), QStringLiteral("&Run"), QStringLiteral("&View")}));
    control<QMenu>(w, "languageMenu")->actions().at(1)->trigger();
    QCOMPARE(titles(), (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("実行(&R)"), QStringLiteral("表示(&V)")}));
    QVERIFY2(statusOf(w).startsWith(QStringLiteral("19 命令を実行し、EXIT で終了しました (")), qPrintable(statusOf(w)));
    control<QMenu>(w, "languageMenu")->actions().at(0)->trigger();
    QCOMPARE(titles().at(0), QStringLiteral("&File"));
    QVERIFY2(statusOf(w).startsWith(QLatin1String("Ended by EXIT after 19 instructions (")), qPrintable(statusOf(w)));
}

// ---- Lists and the viewer show all of their text ----

// Whenever a line is wider than its list, the list has a horizontal scroll bar that
// reaches its end: the listing's DS line among shorter ones, the dump's lines beside
// its vertical scroll bar.
void WhereTest::longListingLinesScrollSideways() {
    ShownWindow w;
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
    ShownWindow w;
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
    ShownWindow w;
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

// ---- Debugging ----

void WhereTest::gutterClickAndF9SetBreakpointsThatStopRuns() {
    ActiveWindow w;
    press(w, "Command1");
    clickGutter(w, kJmpLine);
    QCOMPARE(gutterMarks(w), (std::map<int, bool>{{kJmpLine, false}}));
    QVERIFY(listingMarked(w, 5));

    switchToRunMode(w);
    MessageAnswerer answerer;  // the OUT boxes
    QTest::keyClick(editorOf(w), Qt::Key_F5);
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
    activate(w);
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

void WhereTest::aListingDoubleClickTogglesItsLine() {
    ActiveWindow w;
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
void WhereTest::backUndoesStepsAndResetStartsOver() {
    ActiveWindow w;
    press(w, "Command1");
    const QList<QAction*> run = control<QMenu>(w, "runMenu")->actions();
    QAction* back = *std::find_if(run.begin(), run.end(), [](QAction* a) { return a->text() == QLatin1String("&Back"); });
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
// the counting loop runs until Stop.
void WhereTest::aWatchedRunStopsAtABreakpointAndByStop() {
    ActiveWindow w;
    control<QMenu>(w, "speedMenu")->actions().last()->trigger();  // 100 a second
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
    QCOMPARE(pcBox(w), QStringLiteral("000A"));

    typeSource(w, kCountingLoop);
    press(w, "Command1");
    press(w, "Command2");
    QWidget* box = runBox();
    QVERIFY(box != nullptr);
    QTRY_VERIFY(w.workbench().debug.press.steps >= 3);
    QTRY_COMPARE(control<QLabel>(*box, "runCount")->text(),
                 QStringLiteral("Executed instructions: %1").arg(w.workbench().debug.press.steps));
    control<QPushButton>(*box, "runStop")->click();
    QTRY_VERIFY(!w.workbench().debug.press.active);
    QVERIFY2(statusOf(w).startsWith(QStringLiteral("Stopped by you at 000")), qPrintable(statusOf(w)));
    QVERIFY(w.workbench().status.steps < 100);
    QCOMPARE(runBox(), nullptr);
}

void WhereTest::anEndlessLoopIsNamedInTheStatusBar() {
    ActiveWindow w;
    startRunModeWith(w, QStringLiteral("      LEA  GR1,0\nLOOP  ADD  GR1,ONE\n      JMP  LOOP\nONE   DC   1\n"));
    press(w, "Command2");
    QCOMPARE(statusOf(w), QStringLiteral("Endless loop: steps 2 to 131073 repeat (addresses 0002 to 0004). Lines 2 to 3 "
                                         "repeat without end: the machine came back to a state it had been in, so the run "
                                         "can never end. Give the loop a way out: a conditional jump on a value the loop "
                                         "changes."));
}

// The address error's explanation follows the account of the press and is a row of the
// problem list on the line at fault; the next ASM forgets it and says where Exec starts.
void WhereTest::aRunFaultIsExplainedInTheStatusAndTheRunSection() {
    setLanguage(Language::English);
    ActiveWindow w;
    startRunModeWith(w, QStringLiteral("      LD   GR2,K\n      LD   GR1,0,GR2\n      EXIT\nK     DC   300\n"));
    MessageAnswerer answerer;
    press(w, "Command2");
    QCOMPARE(answerer.seen, QStringList{QStringLiteral("*Address Error (Address=300)")});
    const QString why = QStringLiteral("LD addressed 0 + GR2 (300) = 300, outside the memory (0 to 199).");
    QVERIFY2(statusOf(w).startsWith(QStringLiteral("Address error at 0002 after 2 instructions (")), qPrintable(statusOf(w)));
    QVERIFY2(statusOf(w).endsWith(QStringLiteral("). ") + why), qPrintable(statusOf(w)));
    QCOMPARE(problemCount(w), QStringLiteral("1 run-time problem"));
    control<QToolButton>(w, "problemCount")->click();
    auto* list = control<QListWidget>(w, "problemList");
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("2:1  run: ") + why);
    QCOMPARE(list->item(0)->toolTip(), why);
    clickRow(list, 0);
    QCOMPARE(editorOf(w)->textCursor().blockNumber(), 1);
    QVERIFY(markTip(w, 2) == why);
    QVERIFY(saveShot(w, "run-section.png"));

    press(w, "Command1");
    QCOMPARE(list->count(), 0);
    QCOMPARE(statusOf(w), QStringLiteral("Exec starts at 0002, where the last run left the PC; Reset starts again at 0000"));
}

QTEST_MAIN(WhereTest)
#include "where_test.moc"
