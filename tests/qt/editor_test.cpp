// The editor's colours and the window's accessibility: each token coloured as the
// assembler reads it, readable on a light and a dark background; the PC's line and the
// changed values marked by more than colour, with contrast computed as WCAG does; every
// control named for assistive technology, the mode label a button, the status line
// read as its text. Help on an instruction where it is typed and where it is chosen.
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>
#include <cmath>

#include "assembler/colouring.hpp"
#include "qt/boxes.hpp"
#include "qt/frm_main.hpp"
#include "qt/frm_text.hpp"
#include "qt/source_colouring.hpp"
#include "qt/source_editor.hpp"
#include "session/instruction_help.hpp"
#include "workbench/messages.hpp"
#include "window_helpers.hpp"

using namespace comet;

namespace {

// ---- WCAG 2 contrast ----
double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double luminance(const QColor& c) { return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue()); }
double contrast(const QColor& a, const QColor& b) {
    const double x = luminance(a);
    const double y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

const QString kProgram = QStringLiteral(
    "PGM START          /* a comment\n"
    "    LEA   GR1,#0010\n"
    "    ADD   GR1,ONE\n"
    "    OUT   MSG,LEN\n"
    "    EXIT\n"
    "ONE DC    1\n"
    "MSG DC    'It''s'\n"
    "LEN DC    4\n"
    "    END\n");

// The colour the editor's highlighter gave the characters [begin, end) of a block; an
// invalid colour when no one range covers them.
QColor colourAt(const QTextBlock& block, int begin, int end) {
    for (const QTextLayout::FormatRange& r : block.layout()->formats()) {
        if (r.start == begin && r.length == end - begin) return r.format.foreground().color();
    }
    return {};
}

// Every span the lexer reads in every line carries its kind's colour.
void expectColoured(SourceEditor* editor) {
    for (QTextBlock block = editor->document()->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const auto spans = colouredSpans(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())));
        for (const ColouredSpan& s : spans) {
            QCOMPARE(colourAt(block, s.begin, s.end), editor->colouring()->formatOf(s.kind).foreground().color());
        }
    }
}

QPalette darkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
    dark.setColor(QPalette::Text, QColor(0xDC, 0xDC, 0xDC));
    dark.setColor(QPalette::Window, QColor(0x2B, 0x2B, 0x2B));
    dark.setColor(QPalette::WindowText, QColor(0xDC, 0xDC, 0xDC));
    return dark;
}

// The underline that marks the PC's line, and the line's background.
struct PcMarks {
    QColor background, underline;
};
PcMarks pcMarksOf(SourceEditor* editor) {
    PcMarks marks;
    for (const QTextEdit::ExtraSelection& s : editor->extraSelections()) {
        if (s.cursor.blockNumber() + 1 != editor->pcLine()) continue;
        if (s.format.hasProperty(QTextFormat::FullWidthSelection)) marks.background = s.format.background().color();
        else if (s.format.underlineStyle() == QTextCharFormat::SingleUnderline) marks.underline = s.format.underlineColor();
    }
    return marks;
}

// A point of the editor's viewport on the character of line `line` (from 1), column `column`.
QPoint pointAt(SourceEditor* editor, int line, int column) {
    QTextCursor at(editor->document()->findBlockByNumber(line - 1));
    at.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
    return editor->cursorRect(at).center() + QPoint(2, 0);
}

// The tooltip shown when the pointer rests there: a real help event on the viewport, as
// the pointer's rest makes one.
QString hoverTip(SourceEditor* editor, int line, int column) {
    const QPoint point = pointAt(editor, line, column);
    QHelpEvent event(QEvent::ToolTip, point, editor->viewport()->mapToGlobal(point));
    QApplication::sendEvent(editor->viewport(), &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

// The tooltip on screen, kept as a picture when COMET_SCREENSHOT_DIR names a folder.
bool saveShownTip(const char* name) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->inherits("QTipLabel") && top->isVisible()) return saveShot(*top, name);
    return false;
}

}  // namespace

class EditorTest : public QObject {
    Q_OBJECT

private slots:
    void coloursEveryTokenAsTheAssemblerReadsIt();
    void coloursAndMarksAreReadableInLightAndDark();
    void changedValuesAreBoldAsWellAsColoured();
    void aWrittenWordIsBoldInTheDump();
    void everyControlHasANameAndRole();
    void theStatusLineIsReadAsItsText();
    void anInstructionTellsWhatItDoesWhereItIsTypedAndChosen();
};

void EditorTest::coloursEveryTokenAsTheAssemblerReadsIt() {
    ShownWindow w;
    typeSource(w, kProgram);
    SourceEditor* editor = editorOf(w);
    expectColoured(editor);
    // A spot check of the table's reading: "GR1" on line 2 is a register, "#0010" a number.
    const QTextBlock line2 = editor->document()->findBlockByNumber(1);
    QCOMPARE(colourAt(line2, 10, 13), editor->colouring()->formatOf(SpanKind::Register).foreground().color());
    QCOMPARE(colourAt(line2, 14, 19), editor->colouring()->formatOf(SpanKind::Number).foreground().color());
    // An edit is coloured as it is typed.
    QTextCursor end(editor->document()->lastBlock());
    end.movePosition(QTextCursor::EndOfBlock);
    editor->setTextCursor(end);
    QTest::keyClicks(editor, QStringLiteral("  /* done"));
    expectColoured(editor);
    QCOMPARE(colourAt(editor->document()->lastBlock(), 2, 9), editor->colouring()->formatOf(SpanKind::Comment).foreground().color());
}

void EditorTest::coloursAndMarksAreReadableInLightAndDark() {
    ShownWindow w;
    assemble(w, kProgram);
    press(w, "Command2");  // a Debug Mode step: the next instruction, ADD on line 3, is the PC's
    SourceEditor* editor = editorOf(w);
    QCOMPARE(editor->pcLine(), 3);
    const std::array<SpanKind, 6> kinds{SpanKind::Label, SpanKind::Mnemonic, SpanKind::Register,
                                        SpanKind::Number, SpanKind::String, SpanKind::Comment};
    std::vector<QColor> mnemonicColours;
    for (const bool dark : {false, true}) {
        if (dark) editor->setPalette(darkPalette());
        mnemonicColours.push_back(editor->colouring()->formatOf(SpanKind::Mnemonic).foreground().color());
        QCOMPARE(editor->colouring()->dark(), dark);
        const QColor base = editor->palette().color(QPalette::Base);
        for (const SpanKind kind : kinds) {
            const QColor text = editor->colouring()->formatOf(kind).foreground().color();
            QVERIFY2(contrast(text, base) >= 4.5, qPrintable(QStringLiteral("%1 %2: %3 %4 on %5").arg(dark).arg(int(kind)).arg(contrast(text, base)).arg(text.name(QColor::HexArgb), base.name(QColor::HexArgb))));
        }
        expectColoured(editor);  // the whole text coloured anew for the new background
        const PcMarks pc = pcMarksOf(editor);
        QVERIFY(pc.background.isValid() && pc.underline.isValid());
        QVERIFY2(contrast(pc.underline, base) >= 3.0, qPrintable(QString::number(contrast(pc.underline, base))));
        QVERIFY(contrast(editor->palette().color(QPalette::Text), pc.background) >= 4.5);
        QVERIFY(saveShot(*editor, dark ? "editor-dark.png" : "editor-light.png"));
    }
    QVERIFY(mnemonicColours[0] != mnemonicColours[1]);  // two sets of colours, not one
}

void EditorTest::changedValuesAreBoldAsWellAsColoured() {
    ShownWindow w;
    assemble(w, kProgram);
    press(w, "Command2");  // LEA GR1,#0010 changes GR1 and PC
    QVERIFY(box(w, 1)->font().bold());
    QVERIFY(box(w, 6)->font().bold());
    QVERIFY(!box(w, 2)->font().bold());
    const QColor background = box(w, 1)->palette().color(QPalette::Base);
    QVERIFY2(contrast(box(w, 1)->palette().color(QPalette::Text), background) >= 4.5, qPrintable(box(w, 1)->palette().color(QPalette::Text).name() + background.name()));
    press(w, "Command2");  // ADD GR1,ONE: PC and GR1 again, FR; GR0 never
    QVERIFY(!box(w, 0)->font().bold());
}

// A word a step wrote: its dump line bold, and no other line.
void EditorTest::aWrittenWordIsBoldInTheDump() {
    ShownWindow w;
    assemble(w, QStringLiteral("    LEA   GR1,5\n    ST    GR1,W\n    EXIT\nW   DC    0\n    END\n"));
    press(w, "Command2");  // LEA
    press(w, "Command2");  // ST: W at 0005
    auto* dump = control<QListWidget>(w, "List2");
    QStringList bold;
    for (int i = 0; i < dump->count(); ++i) {
        if (dump->item(i)->font().bold()) bold << dump->item(i)->text().left(4);
    }
    QCOMPARE(bold, QStringList{QStringLiteral("0005")});
}

void EditorTest::everyControlHasANameAndRole() {
    ShownWindow w;
    assemble(w, QStringLiteral("    LD GR9\n"));  // a problem: the problem list and its count show
    QStringList unnamed;
    for (QWidget* c : w.findChildren<QWidget*>()) {
        if (c->focusPolicy() == Qt::NoFocus || !c->isVisibleTo(&w) || c->objectName().startsWith(QLatin1String("qt_"))) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
        if (a == nullptr || a->text(QAccessible::Name).trimmed().isEmpty()) unnamed << c->objectName() + QLatin1Char('/') + QLatin1String(c->metaObject()->className());
    }
    QCOMPARE(unnamed, QStringList());
    const auto roleOf = [&](const char* name) { return QAccessible::queryAccessibleInterface(control<QWidget>(w, name))->role(); };
    QCOMPARE(roleOf("Label3"), QAccessible::Button);
    QCOMPARE(QAccessible::queryAccessibleInterface(control<QWidget>(w, "Label3"))->text(QAccessible::Name), QStringLiteral("Debug Mode"));
    QCOMPARE(roleOf("List1"), QAccessible::List);
    QCOMPARE(roleOf("Text1"), QAccessible::EditableText);
    QCOMPARE(QAccessible::queryAccessibleInterface(box(w, 6))->text(QAccessible::Name), QStringLiteral("PC"));
    QCOMPARE(QAccessible::queryAccessibleInterface(control<QWidget>(w, "problemList"))->text(QAccessible::Name), QStringLiteral("Problems"));
    // The viewer, a window of its own, is named by its caption.
    press(w, "Command3");
    QVERIFY(w.viewer() != nullptr);
    QCOMPARE(QAccessible::queryAccessibleInterface(w.viewer())->text(QAccessible::Name), w.viewer()->windowTitle());
    QVERIFY(!w.viewer()->windowTitle().isEmpty());
    // The mode label is pressed as a button is.
    QAccessibleInterface* mode = QAccessible::queryAccessibleInterface(control<QWidget>(w, "Label3"));
    mode->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(control<QLabel>(w, "Label3")->text(), QStringLiteral("Run Mode"));
}

// A label in the status bar with no name of its own is named by its text: Qt tells a
// screen reader of each new text as a change of its name (not observable offscreen,
// where no screen reader can turn accessibility on).
void EditorTest::theStatusLineIsReadAsItsText() {
    ShownWindow w;
    auto* status = control<QLabel>(w, "runStatus");
    QVERIFY(status->accessibleName().isEmpty());
    QVERIFY(w.statusBar()->isAncestorOf(status));
    assemble(w, kProgram);
    press(w, "Command2");  // a step: the status says what it executed
    QVERIFY(!status->text().isEmpty());
    QCOMPARE(QAccessible::queryAccessibleInterface(status)->text(QAccessible::Name), status->text());
    QCOMPARE(QAccessible::queryAccessibleInterface(w.statusBar())->role(), QAccessible::StatusBar);
}

void EditorTest::anInstructionTellsWhatItDoesWhereItIsTypedAndChosen() {
    setLanguage(Language::English);
    ShownWindow w;
    typeSource(w, kProgram);
    SourceEditor* editor = editorOf(w);
    const QString add = hoverTip(editor, 3, 5);  // on "ADD"
    QVERIFY2(add.startsWith(QStringLiteral("ADD: instruction, opcode #21, 2 words\n")), qPrintable(add));
    QVERIFY(add.contains(boxTextOf(messageText(Msg::HelpFrFromResult))));
    QVERIFY(add.contains(QStringLiteral("Form: ADD r,adr[,x]")));
    QVERIFY(saveShownTip("instruction-help-en.png"));
    QCOMPARE(editor->toolTipAt(pointAt(editor, 3, 15)), QString());  // on the label ONE: no help
    QVERIFY(hoverTip(editor, 2, 11).startsWith(QStringLiteral("GR1: register\n")));
    auto* chooser = control<QComboBox>(w, "Combo1");
    const QString jze = chooser->itemData(17, Qt::ToolTipRole).toString();
    QCOMPARE(chooser->itemText(17), QStringLiteral("JZE    Jump Zero"));
    QCOMPARE(jze, boxTextOf(helpLines(*instructionHelp(u"JZE"))));
    QVERIFY(jze.contains(QStringLiteral("FR decides whether it jumps")));
    QVERIFY(chooser->toolTip().startsWith(QStringLiteral("LD: instruction, opcode #10")));  // closed, on its first item
    control<QMenu>(w, "languageMenu")->actions().at(1)->trigger();  // View > Language > 日本語
    QVERIFY(hoverTip(editor, 3, 5).startsWith(QStringLiteral("ADD: 機械命令（命令コード #21、2 語）\n")));
    QVERIFY(saveShownTip("instruction-help-ja.png"));
    QVERIFY(chooser->itemData(17, Qt::ToolTipRole).toString().contains(QStringLiteral("FR を見て分岐するかを決めます。")));
    QVERIFY(chooser->toolTip().startsWith(QStringLiteral("LD: 機械命令")));
    control<QMenu>(w, "languageMenu")->actions().at(0)->trigger();
}

QTEST_MAIN(EditorTest)
#include "editor_test.moc"
