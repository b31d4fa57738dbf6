// A label that reports a click of the left mouse button, as the mode label Label3 needs.
// It takes the focus like a button, and Space or Enter then clicks it, so that the mode
// can be switched without the mouse; a focus frame shows where the keyboard is.
#pragma once

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

namespace comet {

class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget* parent) : QLabel(parent) { setFocusPolicy(Qt::StrongFocus); }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    }

    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter) return QLabel::keyPressEvent(event);
        emit clicked();
    }

    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        if (!hasFocus()) return;
        // In the selection's colour, as the lists' frame: some styles draw no focus rectangle at all.
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
};

}  // namespace comet
