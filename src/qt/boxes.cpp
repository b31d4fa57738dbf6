#include "qt/boxes.hpp"

#include <QInputDialog>
#include <QMessageBox>

#include "workbench/display.hpp"
#include "qt/qt_text.hpp"

namespace comet {

namespace {

QString titleOf(const Text& title) { return toQString(title.empty() ? kAppTitle : title); }

// Plain text always: an OUT text such as "<b>" is shown as typed, never as markup.
bool execMessageBox(QWidget* parent, const Text& text, const Text& title, QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, titleOf(title), boxTextOf(text), buttons, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

}  // namespace

QString boxTextOf(const Text& text) {
    QString shown = toQString(visibleText(text));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

void showMessageBox(QWidget* parent, const Text& text, const Text& title) {
    execMessageBox(parent, text, title, QMessageBox::Ok);
}

bool showOkCancelBox(QWidget* parent, const Text& text, const Text& title) {
    return execMessageBox(parent, text, title, QMessageBox::Ok | QMessageBox::Cancel);
}

Text showInputBox(QWidget* parent, const Text& prompt) {
    QInputDialog box(parent);
    box.setObjectName(QStringLiteral("inputBox"));
    box.setWindowTitle(toQString(kAppTitle));
    box.setLabelText(toQString(prompt));
    box.setInputMode(QInputDialog::TextInput);
    if (box.exec() != QDialog::Accepted) return {};
    return toText(box.textValue());
}

}  // namespace comet
