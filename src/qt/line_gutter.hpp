// The source editor's gutter, a widget of its own beside the text. From the left: a
// column of breakpoint marks, the line numbers, and a column of problem marks whose
// tooltips hold the problems' messages. A click beside a line asks to set or clear its
// breakpoint.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <vector>

#include "workbench/workbench.hpp"

namespace comet {

// A line in view and where the gutter draws it.
struct VisibleLine {
    int line;    // 1-based
    int top;     // in the gutter's (and the viewport's) coordinates
    int height;
};

// Shows the tooltip a help event asks for, or hides any when `tip` is empty.
void answerToolTip(QEvent* event, QWidget* widget, const QString& tip);

// An error's (and an undefined name's) red, a warning's amber: its mark and its underline.
QColor problemColor(ProblemKind kind);

class LineGutter : public QWidget {
    Q_OBJECT

public:
    // The mark of a line: the gravest kind of problem on it and all their messages.
    struct Mark {
        ProblemKind kind = ProblemKind::Warning;
        QString tip;
        bool operator==(const Mark&) const = default;
    };

    // A gutter beside the text of `editor`, which tells it the lines in view.
    LineGutter(QWidget* editor, std::function<std::vector<VisibleLine>()> linesInView);

    int widthFor(int lineCount) const;               // wide enough for that many lines' numbers
    void setMarks(std::map<int, Mark> marks);         // by 1-based line
    const std::map<int, Mark>& marks() const { return marks_; }
    QString toolTipAt(QPoint pos) const;              // the messages of the mark at pos, if any
    QRect markRect(int top, int height) const;        // where the mark of a line drawn at top is
    QRect breakpointRect(int top, int height) const;  // where the breakpoint mark of a line drawn at top is
    void setBreakpoints(std::map<int, bool> pendingByLine);  // by 1-based line: true while it waits for an ASM
    const std::map<int, bool>& breakpoints() const { return breakpoints_; }
    void setPcLine(int line);  // its number is drawn as the text is; 0 for none

signals:
    void lineClicked(int line);  // a click beside that line (1-based)

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int columnWidth() const;  // of the breakpoint and the mark columns
    int numbersWidth(int lineCount) const;
    void paintMark(QPainter& painter, const QRect& box, ProblemKind kind) const;
    int lineAt(int y) const;  // the line drawn at height y; 0 for none

    std::function<std::vector<VisibleLine>()> linesInView_;
    int pcLine_ = 0;
    std::map<int, Mark> marks_;
    std::map<int, bool> breakpoints_;
};

}  // namespace comet
