#include "window_helpers.hpp"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/qt/frm_main.hpp"
#include "ui/qt/qt_text.hpp"

namespace comet {

QLineEdit* box(FrmMain& w, int k) { return control<QLineEdit>(w, QStringLiteral("txtGR%1").arg(k).toLatin1().constData()); }

void press(FrmMain& w, const char* command) { control<QPushButton>(w, command)->click(); }

void typeSource(FrmMain& w, const QString& source) { control<QPlainTextEdit>(w, "Text1")->setPlainText(source); }

QString plainOf(const Text& logic) { return toQString(logic).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

bool saveShot(QWidget& w, const char* name) {
    const QString dir = qEnvironmentVariable("COMET_SCREENSHOT_DIR");
    return dir.isEmpty() || w.grab().save(QDir(dir).filePath(QLatin1String(name)));
}

void whenModal(std::function<void(QWidget*)> answer) { whenFound(QApplication::activeModalWidget, std::move(answer)); }

void answerMessage(SeenBox& seen, QMessageBox::StandardButton button) {
    whenModal([&seen, button](QWidget* modal) {
        auto* msg = qobject_cast<QMessageBox*>(modal);
        QVERIFY(msg != nullptr);
        seen = {msg->windowTitle(), msg->text()};
        msg->button(button)->click();
    });
}

MessageAnswerer::MessageAnswerer() : timer_(std::make_unique<QTimer>()) {
    timer_->setInterval(5);
    QObject::connect(timer_.get(), &QTimer::timeout, [this] {
        auto* msg = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (msg == nullptr || !msg->isVisible()) return;
        seen << msg->text();
        msg->button(QMessageBox::Ok)->click();
    });
    timer_->start();
}

MessageAnswerer::~MessageAnswerer() = default;

}  // namespace comet
