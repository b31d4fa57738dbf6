// The text viewer frmText: a top-level, modeless, resizable window with one read-only
// text box 120 twips from its left and top edges, sized by the logic.
#pragma once

#include <QWidget>

#include <functional>

#include "workbench/workbench.hpp"

class QPlainTextEdit;

namespace comet {

class FrmText : public QWidget {
    Q_OBJECT

public:
    // resized gets the window's outer width and height in twips (its client area and a
    // caption band); closed is told when the
    // user closes the window, which then deletes itself.
    FrmText(const QFont& font, std::function<void(int, int)> resized, std::function<void()> closed);

    QPlainTextEdit* textBox() const { return text1_; }
    int dpi() const;

    void mirror(const Viewer& viewer);  // caption, text and text box size as the logic has them
    void showFrom(bool end);            // the caret and the view at the text's start or end
    void setTextFont(const QFont& font);  // the text box's font (the main window's zoom)

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QPlainTextEdit* text1_;
    Text shownText_;  // the logic text the box holds
    std::function<void(int, int)> resized_;
    std::function<void()> closed_;
};

}  // namespace comet
