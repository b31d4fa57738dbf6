#include "window_helpers.hpp"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "qt/frm_main.hpp"
#include "qt/qt_text.hpp"
#include "qt/source_editor.hpp"

namespace comet {

void activate(FrmMain& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

ShownWindow::ShownWindow() { show(); }

ActiveWindow::ActiveWindow() { activate(*this); }

QLineEdit* box(FrmMain& w, int k) { return control<QLineEdit>(w, QStringLiteral("txtGR%1").arg(k).toLatin1().constData()); }

SourceEditor* editorOf(FrmMain& w) { return control<SourceEditor>(w, "Text1"); }

QString statusOf(FrmMain& w) { return control<QLabel>(w, "runStatus")->text(); }

void press(FrmMain& w, const char* command) { control<QPushButton>(w, command)->click(); }

void switchToRunMode(FrmMain& w) { QTest::mouseClick(control<QLabel>(w, "Label3"), Qt::LeftButton); }

void typeSource(FrmMain& w, const QString& source) { editorOf(w)->setPlainText(source); }

void assemble(FrmMain& w, const QString& source) {
    typeSource(w, source);
    MessageAnswerer answerer;
    press(w, "Command1");
}

void startRunModeWith(FrmMain& w, const QString& source) {
    assemble(w, source);
    switchToRunMode(w);
}

QString plainOf(const Text& logic) { return toQString(logic).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

bool saveShot(QWidget& w, const char* name) {
    const QString dir = qEnvironmentVariable("COMET_SCREENSHOT_DIR");
    return dir.isEmpty() || w.grab().save(QDir(dir).filePath(QLatin1String(name)));
}

void whenFound(std::function<QWidget*()> find, std::function<void(QWidget*)> answer) {
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

QWidget* modalNamed(const char* name) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr && modal->objectName() == QLatin1String(name) ? modal : nullptr;
}

QWidget* runBox() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QLatin1String("runProgress") && top->isVisible()) return top;
    }
    return nullptr;
}

void whenModal(std::function<void(QWidget*)> answer) { whenFound(QApplication::activeModalWidget, std::move(answer)); }

MessageAnswerer::MessageAnswerer(QMessageBox::StandardButton button, const char* name) : timer_(std::make_unique<QTimer>()) {
    timer_->setInterval(5);
    QObject::connect(timer_.get(), &QTimer::timeout, [this, button, name] {
        QWidget* modal = name != nullptr ? modalNamed(name) : QApplication::activeModalWidget();
        auto* msg = qobject_cast<QMessageBox*>(modal);
        if (msg == nullptr || !msg->isVisible()) return;
        seen << msg->text();
        titles << msg->windowTitle();
        msg->button(button)->click();
    });
    timer_->start();
}

MessageAnswerer::~MessageAnswerer() = default;

}  // namespace comet
