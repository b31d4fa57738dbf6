// How a breakpoint is drawn: a disc beside its line, in the editor's gutter and in the
// object listing; a hollow ring while it waits for the next ASM to find its address.
#pragma once

#include <QStyledItemDelegate>

class QPainter;
class QRect;

namespace comet {

// Draws a breakpoint's mark centred in `box`.
void paintBreakpointMark(QPainter& painter, const QRect& box, bool pending);

// The object listing's lines with a column before their text where a line whose item
// holds true under kBreakpointRole shows the mark.
class ListingMarks : public QStyledItemDelegate {
    Q_OBJECT

public:
    static constexpr int kBreakpointRole = Qt::UserRole + 1;

    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    static int columnWidth(const QStyleOptionViewItem& option);
};

}  // namespace comet
