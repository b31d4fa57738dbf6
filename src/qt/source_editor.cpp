#include "qt/source_editor.hpp"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QHelpEvent>
#include <QMenu>
#include <QPainter>
#include <QTextBlock>
#include <QTextEdit>

#include <algorithm>
#include <map>
#include <memory>

#include "session/instruction_help.hpp"
#include "session/problems.hpp"
#include "qt/boxes.hpp"
#include "qt/line_gutter.hpp"
#include "qt/qt_text.hpp"
#include "qt/source_colouring.hpp"

namespace comet {

namespace {

// The PC's line: a background and, so that it is seen without telling colours apart,
// its text underlined in a colour of at least 3:1 against the editor's background.
struct PcLineColours {
    QColor background, underline;
};
const PcLineColours kPcOnLight{QColor(0xD6, 0xE8, 0xFF), QColor(0x1F, 0x4E, 0x9A)};
const PcLineColours kPcOnDark{QColor(0x26, 0x4F, 0x78), QColor(0x9C, 0xDC, 0xFE)};

// The gravest of two kinds: an error before an undefined name before a warning.
ProblemKind graver(ProblemKind a, ProblemKind b) { return std::min(a, b); }

// The marks of the gutter: one per line, with every message of that line.
std::map<int, LineGutter::Mark> marksOf(const std::vector<Problem>& rows) {
    std::map<int, LineGutter::Mark> marks;
    for (const Problem& p : rows) {
        if (p.line == 0) continue;
        const auto [at, fresh] = marks.try_emplace(p.line, LineGutter::Mark{p.kind, boxTextOf(problemTip(p))});
        if (fresh) continue;
        at->second.kind = graver(at->second.kind, p.kind);
        at->second.tip += QLatin1Char('\n') + boxTextOf(problemTip(p));
    }
    return marks;
}

// The characters a problem points at on its block; its whole line when the span is empty.
QTextCursor spanCursor(const QTextBlock& block, const Problem& p) {
    const auto [begin, end] = underlinedColumns(p, block.length() - 1);  // without the block's line break
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + begin);
    cursor.setPosition(block.position() + end, QTextCursor::KeepAnchor);
    return cursor;
}

}  // namespace

QStringList droppedFiles(const QMimeData* mime) {
    QStringList paths;
    if (mime == nullptr || !mime->hasUrls()) return paths;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile()) return {};
        paths << url.toLocalFile();
    }
    return paths;
}

SourceEditor::SourceEditor(QWidget* parent)
    : QPlainTextEdit(parent),
      gutter_(new LineGutter(this, [this] { return visibleLines(); })),
      colouring_(new SourceColouring(document())) {
    setTabChangesFocus(true);
    colouring_->followBackground(palette().color(QPalette::Base));
    // The document's signals, not the editor's: the window sets the text with the editor's
    // signals blocked (Open, New, Restore), and the gutter must follow that text too.
    connect(document(), &QTextDocument::blockCountChanged, this, [this] { fitGutter(); });
    connect(document(), &QTextDocument::contentsChanged, gutter_, [this] { gutter_->update(); });
    connect(this, &QPlainTextEdit::updateRequest, this, &SourceEditor::scrollGutter);
    fitGutter();
}

std::vector<VisibleLine> SourceEditor::visibleLines() const {
    std::vector<VisibleLine> lines;
    const int bottom = viewport()->height();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
        if (box.top() > bottom) break;
        if (block.isVisible()) lines.push_back({block.blockNumber() + 1, qRound(box.top()), qRound(box.height())});
    }
    return lines;
}

// The gutter stands in the editor's left margin, as wide as the numbers of its lines need.
void SourceEditor::fitGutter() {
    const int width = gutter_->widthFor(blockCount());
    setViewportMargins(width, 0, 0, 0);
    const QRect area = contentsRect();
    gutter_->setGeometry(area.left(), area.top(), width, viewport()->height());
}

void SourceEditor::scrollGutter(const QRect& rect, int dy) {
    if (dy != 0) gutter_->scroll(0, dy);
    else gutter_->update(0, rect.y(), gutter_->width(), rect.height());
}

void SourceEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    fitGutter();
}

// The gutter's numbers are drawn in the editor's font: a new font needs a new width.
// A new palette (the system's dark or light scheme) needs the colours made for it.
void SourceEditor::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) fitGutter();
    if (event->type() == QEvent::PaletteChange) {
        colouring_->followBackground(palette().color(QPalette::Base));
        decorate();
    }
}

// The decorations are made anew when the text changed too: a text set whole leaves
// the cursors of the old ones at its start.
void SourceEditor::showMarks(const std::vector<Problem>& rows, int pcLine) {
    if (rows == problems_ && pcLine == pcLine_ && document()->revision() == decoratedRevision_) return;
    if (pcLine != pcLine_) gutter_->setPcLine(pcLine);
    problems_ = rows;
    pcLine_ = pcLine;
    gutter_->setMarks(marksOf(rows));
    decorate();
}

void SourceEditor::decorate() {
    QList<QTextEdit::ExtraSelection> selections;
    const QTextBlock pcBlock = document()->findBlockByNumber(pcLine_ - 1);
    if (pcLine_ > 0 && pcBlock.isValid()) {
        const PcLineColours& colours = colouring_->dark() ? kPcOnDark : kPcOnLight;
        QTextEdit::ExtraSelection line;
        line.format.setBackground(colours.background);
        line.format.setProperty(QTextFormat::FullWidthSelection, true);
        line.cursor = QTextCursor(pcBlock);
        selections << line;
        QTextEdit::ExtraSelection underline;
        underline.format.setUnderlineStyle(QTextCharFormat::SingleUnderline);
        underline.format.setUnderlineColor(colours.underline);
        underline.cursor = QTextCursor(pcBlock);
        underline.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        selections << underline;
    }
    for (const Problem& p : problems_) {
        const QTextBlock block = document()->findBlockByNumber(p.line - 1);
        if (p.line == 0 || !block.isValid()) continue;
        QTextEdit::ExtraSelection underline;
        underline.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        underline.format.setUnderlineColor(problemColor(p.kind));
        underline.cursor = spanCursor(block, p);
        selections << underline;
    }
    setExtraSelections(selections);
    decoratedRevision_ = document()->revision();
}

QString SourceEditor::toolTipAt(QPoint viewportPos) const {
    const QTextCursor at = cursorForPosition(viewportPos);
    QStringList tips;
    for (const Problem& p : problems_) {
        const QTextBlock block = document()->findBlockByNumber(p.line - 1);
        if (p.line == 0 || block != at.block()) continue;
        const QTextCursor span = spanCursor(block, p);
        if (at.position() >= span.selectionStart() && at.position() <= span.selectionEnd()) tips << boxTextOf(problemTip(p));
    }
    if (const auto help = helpAt(toText(at.block().text()), at.positionInBlock())) tips << boxTextOf(*help);
    return tips.join(QLatin1Char('\n'));
}

bool SourceEditor::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QPlainTextEdit::viewportEvent(event);
    answerToolTip(event, viewport(), toolTipAt(static_cast<QHelpEvent*>(event)->pos()));
    return true;
}

// Before the text control sees the key: with Ctrl held, it would insert the tab.
bool SourceEditor::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            const bool back = key->key() == Qt::Key_Backtab || key->modifiers().testFlag(Qt::ShiftModifier);
            focusNextPrevChild(!back);
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

void SourceEditor::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedFiles(event->mimeData()).isEmpty()) return QPlainTextEdit::dragEnterEvent(event);
    event->acceptProposedAction();
}

void SourceEditor::dragMoveEvent(QDragMoveEvent* event) {
    if (droppedFiles(event->mimeData()).isEmpty()) return QPlainTextEdit::dragMoveEvent(event);
    event->acceptProposedAction();
}

void SourceEditor::dropEvent(QDropEvent* event) {
    const QStringList paths = droppedFiles(event->mimeData());
    if (paths.isEmpty()) return QPlainTextEdit::dropEvent(event);
    event->acceptProposedAction();
    emit filesDropped(paths);
}

void SourceEditor::addContextAction(QAction* action) { contextActions_ << action; }

void SourceEditor::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    if (!contextActions_.isEmpty()) {
        menu->addSeparator();
        menu->addActions(contextActions_);
    }
    menu->exec(event->globalPos());
}

}  // namespace comet
