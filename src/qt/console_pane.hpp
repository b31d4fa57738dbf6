// View ▸ Output console: a pane docked below the classic controls where OUT appends its
// lines, with Clear, and an input field whose line the next IN reads.
#pragma once

#include <QDockWidget>

#include <cstdint>

#include "workbench/workbench.hpp"

class QLineEdit;
class QPlainTextEdit;

namespace comet {

class WindowTexts;

class ConsolePane : public QDockWidget {
    Q_OBJECT

public:
    ConsolePane(QWidget* parent, WindowTexts& texts);  // its texts kept with the window's
    void mirror(const Console& console);  // the lines and the input field as the logic has them

signals:
    void clearPressed();
    void inputEdited(const QString& text);

private:
    QPlainTextEdit* output_;
    QLineEdit* input_;
    uint64_t shownChanges_ = UINT64_MAX;
};

}  // namespace comet
