#include "qt/line_gutter.hpp"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <utility>

#include "qt/breakpoint_marks.hpp"

namespace comet {

void answerToolTip(QEvent* event, QWidget* widget, const QString& tip) {
    if (tip.isEmpty()) QToolTip::hideText();
    else QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, widget);
}

namespace {

constexpr int kPadding = 4;  // between the numbers and the columns beside them

}  // namespace

QColor problemColor(ProblemKind kind) {
    return kind == ProblemKind::Warning ? QColor(0xE0, 0xA0, 0x10) : QColor(0xD0, 0x30, 0x30);
}

LineGutter::LineGutter(QWidget* editor, std::function<std::vector<VisibleLine>()> linesInView)
    : QWidget(editor), linesInView_(std::move(linesInView)) {
    setObjectName(QStringLiteral("gutter"));
}

int LineGutter::columnWidth() const { return fontMetrics().height(); }

int LineGutter::numbersWidth(int lineCount) const {
    int digits = 2;
    for (int n = std::max(lineCount, 1); n >= 100; n /= 10) ++digits;
    return kPadding + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits + kPadding;
}

int LineGutter::widthFor(int lineCount) const { return columnWidth() + numbersWidth(lineCount) + columnWidth(); }

QRect LineGutter::breakpointRect(int top, int height) const { return {0, top, columnWidth(), height}; }

QRect LineGutter::markRect(int top, int height) const { return {width() - columnWidth(), top, columnWidth(), height}; }

void LineGutter::setMarks(std::map<int, Mark> marks) {
    if (marks == marks_) return;
    marks_ = std::move(marks);
    update();
}

void LineGutter::setBreakpoints(std::map<int, bool> pendingByLine) {
    if (pendingByLine == breakpoints_) return;
    breakpoints_ = std::move(pendingByLine);
    update();
}

void LineGutter::setPcLine(int line) {
    pcLine_ = line;
    update();
}

void LineGutter::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    painter.setFont(font());
    const int numbersRight = width() - columnWidth() - kPadding;
    for (const VisibleLine& row : linesInView_()) {
        painter.setPen(row.line == pcLine_ ? palette().color(QPalette::Text) : palette().color(QPalette::PlaceholderText));
        painter.drawText(QRect(0, row.top, numbersRight, row.height), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(row.line));
        const auto mark = marks_.find(row.line);
        if (mark != marks_.end()) paintMark(painter, markRect(row.top, row.height), mark->second.kind);
        const auto breakpoint = breakpoints_.find(row.line);
        if (breakpoint != breakpoints_.end()) paintBreakpointMark(painter, breakpointRect(row.top, row.height), breakpoint->second);
    }
}

// An error is a red disc, a warning an amber triangle, both filling most of the column.
void LineGutter::paintMark(QPainter& painter, const QRect& box, ProblemKind kind) const {
    const int side = std::min(box.width(), box.height()) * 2 / 3;
    const QRectF shape(box.center().x() - side / 2.0, box.center().y() - side / 2.0, side, side);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (kind == ProblemKind::Warning) {
        QPainterPath triangle;
        triangle.moveTo(shape.center().x(), shape.top());
        triangle.lineTo(shape.bottomRight());
        triangle.lineTo(shape.bottomLeft());
        triangle.closeSubpath();
        painter.fillPath(triangle, problemColor(kind));
    } else {
        painter.setBrush(problemColor(kind));
        painter.drawEllipse(shape);
    }
    painter.restore();
}

int LineGutter::lineAt(int y) const {
    for (const VisibleLine& row : linesInView_()) {
        if (y >= row.top && y < row.top + row.height) return row.line;
    }
    return 0;
}

QString LineGutter::toolTipAt(QPoint pos) const {
    const auto mark = marks_.find(lineAt(pos.y()));
    return mark == marks_.end() ? QString() : mark->second.tip;
}

void LineGutter::mousePressEvent(QMouseEvent* event) {
    const int line = event->button() == Qt::LeftButton ? lineAt(qRound(event->position().y())) : 0;
    if (line > 0) emit lineClicked(line);
}

bool LineGutter::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    answerToolTip(event, this, toolTipAt(static_cast<QHelpEvent*>(event)->pos()));
    return true;
}

}  // namespace comet
