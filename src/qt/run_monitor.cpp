#include "qt/run_monitor.hpp"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

#include "qt/window_texts.hpp"

namespace comet {

namespace {

// Drops the events by which a user acts on one window: clicks, keys, the wheel,
// shortcuts (but the one that stops the run), context menus, drops. Repaints, moves and
// the close request pass.
class InputGuard : public QObject {
public:
    InputGuard(QWidget* window, QAction* stop) : window_(window), stop_(stop) {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (!isUserAction(event->type())) return false;
        if (event->type() == QEvent::Shortcut) return receiver != stop_;  // shortcuts reach their action, not a widget
        auto* widget = qobject_cast<QWidget*>(receiver);
        return widget != nullptr && widget->window() == window_;
    }

private:
    static bool isUserAction(QEvent::Type type) {
        switch (type) {
            case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick:
            case QEvent::KeyPress: case QEvent::KeyRelease: case QEvent::Wheel:
            case QEvent::Shortcut: case QEvent::ShortcutOverride: case QEvent::ContextMenu:
            case QEvent::InputMethod: case QEvent::Drop: case QEvent::TouchBegin:
                return true;
            default:
                return false;
        }
    }

    QWidget* window_;
    QAction* stop_;
};

}  // namespace

RunMonitor::RunMonitor(QWidget* owner, std::function<void()> repaint, std::function<void()> stopWatched)
    : owner_(owner),
      stopAction_(new QAction(owner)),
      repaint_(std::move(repaint)),
      stopWatched_(std::move(stopWatched)) {
    stopAction_->setObjectName(QStringLiteral("stopRun"));
    stopAction_->setShortcut(Qt::Key_Escape);
    stopAction_->setEnabled(false);
    QObject::connect(stopAction_, &QAction::triggered, [this] { stop(); });
}

RunMonitor::~RunMonitor() = default;

void RunMonitor::start() {
    steps_ = 0;
    stopped_ = false;
    running_ = true;
    watched_ = false;
    stopAction_->setEnabled(true);
    restartClock();
}

void RunMonitor::end() {
    inputGuard_.reset();
    box_.reset();
    count_ = nullptr;
    running_ = false;
    watched_ = false;
    stopAction_->setEnabled(false);
}

// A full-speed run sees the flag after its step; a watched one waits for the window's
// timer, which is told at once, after the signal that stopped it has returned.
void RunMonitor::stop() {
    stopped_ = true;
    if (watched_) QMetaObject::invokeMethod(owner_, stopWatched_, Qt::QueuedConnection);
}

void RunMonitor::watch() {
    watched_ = true;
    showBox();
}

void RunMonitor::showSteps(uint64_t steps) {
    steps_ = steps;
    if (count_ != nullptr) showCount();
}

void RunMonitor::restartClock() {
    clock_.start();
    lastRepaintMs_ = 0;
}

bool RunMonitor::checkClock() {
    const int64_t now = clock_.elapsed();
    if (!box_) {
        if (now < kBoxDelayMs) return stopped_;
        showBox();
    }
    if (now - lastRepaintMs_ >= kRepaintEveryMs) {
        lastRepaintMs_ = now;
        showCount();
        repaint_();
        QCoreApplication::processEvents();
    }
    return stopped_;
}

// Closing the box, Esc and Stop all reject it, and each of them stops the run.
void RunMonitor::showBox() {
    box_ = std::make_unique<QDialog>(owner_);
    box_->setObjectName(QStringLiteral("runProgress"));
    box_->setWindowTitle(QStringLiteral("Run Mode"));
    inputGuard_ = std::make_unique<InputGuard>(owner_, stopAction_);
    count_ = new QLabel(box_.get());
    count_->setObjectName(QStringLiteral("runCount"));
    count_->setMinimumWidth(260);
    auto* stopButton = new QPushButton(shownMessage(Msg::ButtonStop), box_.get());
    stopButton->setObjectName(QStringLiteral("runStop"));
    stopButton->setDefault(true);
    auto* layout = new QVBoxLayout(box_.get());
    layout->addWidget(count_);
    layout->addWidget(stopButton, 0, Qt::AlignRight);
    QObject::connect(stopButton, &QPushButton::clicked, box_.get(), &QDialog::reject);
    QObject::connect(box_.get(), &QDialog::rejected, box_.get(), [this] { stop(); });
    showCount();
    placeBox();
    box_->show();
}

void RunMonitor::placeBox() {
    box_->setFont(owner_->window()->font());  // zoomed as the window is
    box_->adjustSize();
    const QSize size = box_->frameGeometry().size();
    const QRect window = owner_->frameGeometry();
    box_->move(place_ ? place_(size) : QPoint(window.right() - size.width(), window.top()));
}

void RunMonitor::showCount() {
    count_->setText(shownMessage(Msg::RunCount, {std::to_string(steps_)}));
}

}  // namespace comet
