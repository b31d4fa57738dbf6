// The source editor Text1: a plain text editor with a gutter of line numbers and
// problem marks, the problems of the last ASM underlined with their messages as
// tooltips, the PC's source line highlighted, and the tokens coloured by kind.
//
// Tab, Shift+Tab and Ctrl+Tab move the focus to the next or previous control as in a
// form: the assembler reads no tab as a separator, so a typed tab would only make a
// statement it cannot read (a pasted text keeps its tabs, and the problem list offers to
// replace them). Files dropped on the editor are opened, not inserted as their names.
#pragma once

#include <QList>
#include <QPlainTextEdit>
#include <QStringList>

#include <vector>

#include "qt/line_gutter.hpp"
#include "workbench/workbench.hpp"

class QAction;
class QMimeData;

namespace comet {

class SourceColouring;

class SourceEditor : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit SourceEditor(QWidget* parent);

    LineGutter* gutter() const { return gutter_; }
    SourceColouring* colouring() const { return colouring_; }
    std::vector<VisibleLine> visibleLines() const;

    // ---- What the logic shows on the text ----
    // The problems on their lines now (rows of line 0 have no place) and the PC's line (0: none).
    void showMarks(const std::vector<Problem>& rows, int pcLine);
    const std::vector<Problem>& problems() const { return problems_; }  // the rows shown
    int pcLine() const { return pcLine_; }

    // The messages of the problems under that point, then the help on the instruction there.
    QString toolTipAt(QPoint viewportPos) const;
    void addContextAction(QAction* action);        // offered in the editor's context menu too

signals:
    void filesDropped(const QStringList& paths);  // local files were dropped on the editor

protected:
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void fitGutter();
    void scrollGutter(const QRect& rect, int dy);
    void decorate();  // the PC line and the underlines, as extra selections

    LineGutter* gutter_;
    SourceColouring* colouring_;
    std::vector<Problem> problems_;
    int pcLine_ = 0;
    int decoratedRevision_ = -1;  // the document's revision the decorations were made for
    QList<QAction*> contextActions_;
};

// The local files a drag carries; empty when it carries anything else.
QStringList droppedFiles(const QMimeData* mime);

}  // namespace comet
