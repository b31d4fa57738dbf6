// Waiting for a window that an action under test opens: the action does not return
// until the window is answered, so the answer comes from a timer.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Calls `answer` with the first widget `find` gives, looking every 5 ms.
inline void whenFound(std::function<QWidget*()> find, std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, find = std::move(find), answer = std::move(answer)] {
        QWidget* found = find();
        if (found == nullptr) return;
        timer->stop();
        timer->deleteLater();
        answer(found);
    });
    timer->start();
}

// The active modal box, when it has that object name.
inline QWidget* modalNamed(const char* name) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr && modal->objectName() == QLatin1String(name) ? modal : nullptr;
}

// The Run Mode box while it is shown; it is not modal.
inline QWidget* runBox() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QLatin1String("runProgress") && top->isVisible()) return top;
    }
    return nullptr;
}
