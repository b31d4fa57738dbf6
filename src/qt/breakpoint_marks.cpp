#include "qt/breakpoint_marks.hpp"

#include <QPainter>

#include <algorithm>

namespace comet {

namespace {

const QColor kBreakpointColor(0xA8, 0x1C, 0x1C);

}  // namespace

// A little smaller than the problem marks' discs, and darker, so that the two columns
// are told apart at a glance.
void paintBreakpointMark(QPainter& painter, const QRect& box, bool pending) {
    const qreal side = std::min(box.width(), box.height()) * 0.6;
    const QRectF disc(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (pending) {
        painter.setPen(QPen(kBreakpointColor, std::max(1.0, side / 6)));
        painter.setBrush(Qt::NoBrush);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kBreakpointColor);
    }
    painter.drawEllipse(disc);
    painter.restore();
}

int ListingMarks::columnWidth(const QStyleOptionViewItem& option) { return option.fontMetrics.height(); }

void ListingMarks::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const int column = columnWidth(option);
    QStyleOptionViewItem text(option);
    text.rect.setLeft(option.rect.left() + column);
    QStyledItemDelegate::paint(painter, text, index);
    if (index.data(kBreakpointRole).toBool()) {
        paintBreakpointMark(*painter, QRect(option.rect.left(), option.rect.top(), column, option.rect.height()), false);
    }
}

QSize ListingMarks::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(columnWidth(option), 0);
}

}  // namespace comet
