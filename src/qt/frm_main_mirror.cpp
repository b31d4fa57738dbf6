// The window as the logic's display: the boxes it shows, and the window drawn anew from the
// state after every action (the building of the window is in frm_main.cpp).
#include "qt/frm_main.hpp"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "emulator/engine.hpp"
#include "workbench/lists.hpp"
#include "session/debugging.hpp"
#include "session/exec_status.hpp"
#include "session/mainwindow.hpp"
#include "session/problems.hpp"
#include "session/readings.hpp"
#include "qt/accessible_names.hpp"
#include "workbench/values.hpp"
#include "qt/boxes.hpp"
#include "qt/breakpoint_marks.hpp"
#include "qt/clickable_label.hpp"
#include "qt/console_pane.hpp"
#include "workbench/editor_text.hpp"
#include "qt/fonts.hpp"
#include "qt/frm_text.hpp"
#include "qt/line_gutter.hpp"
#include "qt/program_icon.hpp"
#include "qt/qt_text.hpp"
#include "qt/source_editor.hpp"
#include "session/reports.hpp"
#include "session/source_lines.hpp"
#include "session/view.hpp"
#include "session/actions.hpp"

namespace comet {
namespace {

constexpr int kConsoleLines = 8;  // the output console's height when it opens

const QColor kChangedColor(0xFF, 0xE8, 0x8C);  // what the last Debug Mode step changed

// Replaces only the part of the editor's text that differs from the target, as one
// undoable edit, so that the user's undo history and scroll position survive a
// chooser insertion. The first text of the window is set whole.
void replaceChangedPart(QPlainTextEdit* edit, const QString& target) {
    QTextDocument* doc = edit->document();
    if (doc->isEmpty()) {
        edit->setPlainText(target);
        return;
    }
    const QString current = doc->toRawText();
    const qsizetype limit = std::min(current.size(), target.size());
    qsizetype prefix = 0;
    while (prefix < limit && current[prefix] == target[prefix]) ++prefix;
    if (prefix > 0 && current[prefix - 1].isHighSurrogate()) --prefix;
    qsizetype suffix = 0;
    while (suffix < limit - prefix && current[current.size() - 1 - suffix] == target[target.size() - 1 - suffix]) ++suffix;
    if (suffix > 0 && current[current.size() - suffix].isLowSurrogate()) --suffix;
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    cursor.setPosition(static_cast<int>(prefix));
    cursor.setPosition(static_cast<int>(current.size() - suffix), QTextCursor::KeepAnchor);
    cursor.insertText(target.mid(prefix, target.size() - prefix - suffix));
    cursor.endEditBlock();
}

void mirrorLines(QListWidget* list, std::vector<Text>& shown, const std::vector<Text>& lines) {
    if (shown == lines) return;
    const QSignalBlocker block(list);
    const size_t common = std::min(shown.size(), lines.size());
    for (size_t i = 0; i < common; ++i) {
        if (shown[i] != lines[i]) list->item(static_cast<int>(i))->setText(toQString(lines[i]));
    }
    while (static_cast<size_t>(list->count()) > lines.size()) delete list->takeItem(list->count() - 1);
    for (size_t i = common; i < lines.size(); ++i) list->addItem(toQString(lines[i]));
    shown = lines;
}

// The dump's lines are made only for the addresses whose words changed since it was last shown.
void mirrorDump(QListWidget* list, MemoryDump& shown, const Workbench& wb) {
    const MemoryDump& dump = wb.list2;
    if (shown.count == dump.count && shown.values == dump.values) return;
    const QSignalBlocker block(list);
    const int32_t common = std::min(shown.count, dump.count);
    for (int32_t i = 0; i < common; ++i) {
        const size_t cell = static_cast<size_t>(i) + 1;
        if (shown.values[cell] != dump.values[cell]) list->item(i)->setText(toQString(dumpLineText(wb, i)));
    }
    while (list->count() > dump.count) delete list->takeItem(list->count() - 1);
    for (int32_t i = common; i < dump.count; ++i) list->addItem(toQString(dumpLineText(wb, i)));
    shown = dump;
}

// The selected line stays selected and in view; -1 selects nothing.
void mirrorSelection(QListWidget* list, int selected) {
    if (selected >= list->count()) selected = -1;
    const bool shown = selected < 0 ? list->selectedItems().isEmpty() && list->currentRow() < 0
                                    : list->currentRow() == selected && list->item(selected)->isSelected();
    if (shown) return;
    const QSignalBlocker block(list);
    if (selected < 0) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return;
    }
    list->setCurrentRow(selected);
    list->scrollToItem(list->item(selected));
}

// Scrolls the editor the least that shows `line` (from 1) with `context` lines around it.
void bringLineIntoView(QPlainTextEdit* edit, int line, int context) {
    QScrollBar* bar = edit->verticalScrollBar();  // counts lines: the editor does not wrap
    const int visible = std::max(1, edit->viewport()->height() / std::max(1, edit->fontMetrics().lineSpacing()));
    const int around = std::min(context, (visible - 1) / 2);
    const int top = line - 1 - around;
    const int bottom = line - 1 + around;
    if (top < bar->value()) bar->setValue(top);
    else if (bottom >= bar->value() + visible) bar->setValue(bottom - visible + 1);
}

void setTextIfChanged(QLineEdit* box, const Text& text) {
    const QString shown = toQString(text);
    if (box->text() == shown) return;
    const QSignalBlocker block(box);
    box->setText(shown);
}

void setTextIfChanged(QLabel* label, const Text& text) {
    const QString shown = toQString(text);
    if (label->text() != shown) label->setText(shown);
}

}  // namespace

// ---- Display ----------------------------------------------------------------------

void FrmMain::messageBox(const Text& text, const Text& title) {
    beforeModalBox();
    showMessageBox(this, text, title);
    afterModalBox();
}

bool FrmMain::okCancelBox(const Text& text, const Text& title) {
    beforeModalBox();
    const bool ok = showOkCancelBox(this, text, title);
    afterModalBox();
    return ok;
}

Text FrmMain::inputBox(const Text& prompt) {
    beforeModalBox();
    Text answer = showInputBox(this, prompt);
    afterModalBox();
    return answer;
}

void FrmMain::focusText1() { text1_->setFocus(Qt::OtherFocusReason); }

// Qt's focus chain is a ring; it starts at Text1, the control that takes the focus
// first when the window opens, and goes as the work goes: the commands, the registers,
// the lists, the reports, the problem count and list while they are shown. The chooser
// comes last, because the focus it loses goes back to Text1, which closes the ring.
void FrmMain::makeText1FirstInTabOrder() {
    const std::vector<QWidget*> chain{text1_,      command_[0], command_[1],   label3_,      txtGR_[6], txtGR_[0],
                                      txtGR_[1],   txtGR_[2],   txtGR_[3],     txtGR_[4],    txtGR_[5], list1_,
                                      list2_,      command_[2], command_[3],   command_[4],  problemCount_,
                                      problemList_, combo1_};
    for (size_t i = 0; i + 1 < chain.size(); ++i) QWidget::setTabOrder(chain[i], chain[i + 1]);
}

// The viewer is a window of its own (no parent), so closing the main window leaves it open.
void FrmMain::showViewer() {
    if (!viewer_) {
        viewer_ = new FrmText(
            scaled(fixedJapaneseFont(), zoomPercent()), [this](int w, int h) { viewerResized(w, h); },
            [this] {
                viewer_ = nullptr;
                viewerClosed(wb_);
            });
    }
    viewer_->mirror(wb_.frmText);
    viewer_->show();
    viewer_->raise();
    viewer_->activateWindow();
    viewer_->showFrom(wb_.frmText.opensAtEnd);
}

// ---- Mirror -------------------------------------------------------------------------

void FrmMain::mirror() {
    mirrorEditor();
    mirrorLines(list1_, shownList1_, wb_.list1.lines);
    mirrorSelection(list1_, wb_.list1.selected);
    mirrorDump(list2_, shownList2_, wb_);
    mirrorBoxesAndLabels();
    mirrorChooser();
    mirrorProblems();
    mirrorChanges();
    mirrorDocument();
    mirrorBreakpoints();
    mirrorDebugging();
    mirrorConsole();
    mirrorView();
    if (viewer_) viewer_->mirror(wb_.frmText);
}

void FrmMain::mirrorEditor() {
    const QSignalBlocker block(text1_);
    if (wb_.text1.text != shownSource_) {
        replaceChangedPart(text1_, toQString(widgetTextOf(wb_.text1.text)));
        shownSource_ = wb_.text1.text;
        shownWidgetText_ = toText(text1_->document()->toRawText());
        mirrorEditorSelection();
        return;
    }
    if (wb_.text1.selStart != shownSelStart_ || wb_.text1.selLength != shownSelLength_) mirrorEditorSelection();
}

void FrmMain::mirrorEditorSelection() {
    const Editor& editor = wb_.text1;
    QTextCursor cursor = text1_->textCursor();
    cursor.setPosition(widgetPosOf(shownSource_, editor.selStart));
    const int64_t end = std::min<int64_t>(int64_t{editor.selStart} + editor.selLength, INT32_MAX);
    cursor.setPosition(widgetPosOf(shownSource_, static_cast<int32_t>(end)), QTextCursor::KeepAnchor);
    text1_->setTextCursor(cursor);
    shownSelStart_ = editor.selStart;
    shownSelLength_ = editor.selLength;
}

void FrmMain::mirrorBoxesAndLabels() {
    for (int k = 0; k < kBoxCount; ++k) {
        setTextIfChanged(txtGR_[k], wb_.txtGR[k]);
        const QString reading = boxTextOf(boxReading(wb_, k));
        if (txtGR_[k]->toolTip() == reading) continue;
        txtGR_[k]->setToolTip(reading);
        txtGR_[k]->setAccessibleDescription(reading);  // read out when the box takes the focus
    }
    setTextIfChanged(label3_, wb_.label3);
    setTextIfChanged(label6_, wb_.label6);
}

void FrmMain::mirrorChooser() {
    const QSignalBlocker block(combo1_);
    if (shownItems_ != wb_.combo1.items) {
        combo1_->clear();
        for (const Text& item : wb_.combo1.items) {
            combo1_->addItem(toQString(item));
            combo1_->setItemData(combo1_->count() - 1, boxTextOf(chooserItemHelp(item)), Qt::ToolTipRole);
        }
        shownItems_ = wb_.combo1.items;
    }
    if (combo1_->currentIndex() != wb_.combo1.selected) combo1_->setCurrentIndex(wb_.combo1.selected);
    // Closed, the chooser tells of the word it shows.
    const QString tip = combo1_->currentData(Qt::ToolTipRole).toString();
    if (combo1_->toolTip() != tip) combo1_->setToolTip(tip);
}

// The list shows the rows the editor marks: it is made anew when they change.
void FrmMain::mirrorProblems() {
    const std::vector<Problem> rows = problemRows(wb_);
    const QString count = toQString(problemSummary(wb_));
    if (problemCount_->text() != count) problemCount_->setText(count);
    problemCount_->setVisible(!count.isEmpty());
    if (rows != text1_->problems()) {
        problemList_->clear();
        for (const Problem& p : rows) {
            auto* item = new QListWidgetItem(toQString(problemRowText(p)), problemList_);
            item->setToolTip(boxTextOf(problemTip(p)));
        }
    }
    text1_->showMarks(rows, pcSourceLine(wb_));
}

void FrmMain::mirrorBreakpoints() {
    std::map<int, bool> lines;
    for (const Breakpoint& b : wb_.debug.breakpoints.set) lines[b.line] = b.address < 0;
    text1_->gutter()->setBreakpoints(std::move(lines));
    for (int i = 0; i < list1_->count(); ++i) {
        QListWidgetItem* item = list1_->item(i);
        const bool marked = listingLineHasBreakpoint(wb_, i);
        if (item->data(ListingMarks::kBreakpointRole).toBool() != marked) item->setData(ListingMarks::kBreakpointRole, marked);
    }
}

void FrmMain::mirrorDebugging() {
    setTextIfChanged(runStatus_, statusBarText(wb_, true));
    const Text limit = undoLimitText(wb_);
    setTextIfChanged(undoLimit_, limit);
    undoLimit_->setVisible(!limit.empty());
    back_->setEnabled(wb_.debug.undo.steps() > 0);
    for (const auto& [speed, action] : speedActions_) action->setChecked(speed == wb_.debug.speed);
}

void FrmMain::mirrorView() {
    if (wb_.viewFollows == shownViewFollows_) return;
    shownViewFollows_ = wb_.viewFollows;
    const ViewTargets view = viewTargets(wb_);
    if (view.editorLine > 0) bringLineIntoView(text1_, view.editorLine, kViewContextLines);
    if (view.listingRow >= 0 && view.listingRow < list1_->count()) list1_->scrollToItem(list1_->item(view.listingRow));
    if (view.dumpRow >= 0 && view.dumpRow < list2_->count()) list2_->scrollToItem(list2_->item(view.dumpRow));
}

void FrmMain::mirrorConsole() {
    console_->mirror(wb_.console);
    if (console_->isHidden() && wb_.console.on) {
        console_->show();  // a few lines high: the classic controls keep their room
        resizeDocks({console_}, {kConsoleLines * console_->fontMetrics().lineSpacing()}, Qt::Vertical);
    }
    console_->setVisible(wb_.console.on);
    consoleAction_->setChecked(wb_.console.on);
}

// Below the classic controls, beside the problem list; the View menu shows and hides it.
void FrmMain::createConsole() {
    console_ = new ConsolePane(this, texts_);
    console_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::BottomDockWidgetArea, console_);
    console_->hide();
    connect(console_, &ConsolePane::clearPressed, this, [this] { deliver([&] { userClearsConsole(wb_); }); });
    connect(console_, &ConsolePane::inputEdited, this, [this](const QString& text) {
        deliver([&] { wb_.console.input = toText(text); });
    });
}

void FrmMain::mirrorChanges() {
    const ChangeMarks& changed = wb_.changed;
    if (changed == shownChanges_) return;
    QPalette highlighted = boxPalette_;
    highlighted.setColor(QPalette::Base, kChangedColor);
    highlighted.setColor(QPalette::Text, Qt::black);  // on the light yellow in a dark theme too
    // Bold as well as coloured: a change is seen without telling colours apart.
    const auto markFont = [](QFont font, bool marked) { font.setBold(marked); return font; };
    for (int k = 0; k < kBoxCount; ++k) {
        const bool marked = changed.boxes[static_cast<size_t>(k)];
        txtGR_[k]->setPalette(marked ? highlighted : boxPalette_);
        txtGR_[k]->setFont(markFont(txtGR_[k]->font(), marked));
    }
    for (int i = 0; i < list2_->count(); ++i) {
        const bool marked = changed.words[static_cast<size_t>(i)];
        QListWidgetItem* row = list2_->item(i);
        row->setBackground(marked ? QBrush(kChangedColor) : QBrush());
        row->setForeground(marked ? QBrush(Qt::black) : QBrush());
        // Only a marked row has a font of its own: the others follow the list's (and its zoom).
        row->setData(Qt::FontRole, marked ? QVariant(markFont(list2_->font(), true)) : QVariant());
    }
    shownChanges_ = changed;
}

}  // namespace comet
