// A label that reports a click of the left mouse button, as the mode label Label3 needs.
#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace comet {

class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    }
};

}  // namespace comet
