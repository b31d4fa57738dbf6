// The source editor Text1: a plain text editor with a gutter of line numbers and
// problem marks, the problems of the last ASM underlined with their messages as
// tooltips, and the PC's source line highlighted.
#pragma once

#include <QList>
#include <QPlainTextEdit>

#include <vector>

#include "workbench/workbench.hpp"

class QAction;

namespace comet {

class LineGutter;

// A line in view and where the gutter draws it.
struct VisibleLine {
    int line;    // 1-based
    int top;     // in the gutter's (and the viewport's) coordinates
    int height;
};

class SourceEditor : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit SourceEditor(QWidget* parent);

    LineGutter* gutter() const { return gutter_; }
    std::vector<VisibleLine> visibleLines() const;

    // ---- What the logic shows on the text ----
    // The problems on their lines now (rows of line 0 have no place) and the PC's line (0: none).
    void showMarks(const std::vector<Problem>& rows, int pcLine);
    int pcLine() const { return pcLine_; }

    QString toolTipAt(QPoint viewportPos) const;   // the messages of the problems under that point
    void addContextAction(QAction* action);        // offered in the editor's context menu too

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void fitGutter();
    void scrollGutter(const QRect& rect, int dy);
    void decorate();  // the PC line and the underlines, as extra selections

    LineGutter* gutter_;
    std::vector<Problem> problems_;
    int pcLine_ = 0;
    int decoratedRevision_ = -1;  // the document's revision the decorations were made for
    QList<QAction*> contextActions_;
};

// Shows the tooltip a help event asks for, or hides any when `tip` is empty.
void answerToolTip(QEvent* event, QWidget* widget, const QString& tip);

}  // namespace comet
