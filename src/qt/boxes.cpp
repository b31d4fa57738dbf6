#include "qt/boxes.hpp"

#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QSpacerItem>

#include "workbench/display.hpp"
#include "qt/qt_text.hpp"

namespace comet {

namespace {

// Room beside the title for the icon and the buttons a window manager puts there.
constexpr int kTitleBarExtra = 160;

QString titleOf(const Text& title) { return toQString(title.empty() ? kAppTitle : title); }

// Plain text always: an OUT text such as "<b>" is shown as typed, never as markup.
bool execMessageBox(QWidget* parent, const Text& text, const Text& title, QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, titleOf(title), boxTextOf(text), buttons, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    fitAndCentre(box, parent);
    return box.exec() == QMessageBox::Ok;
}

}  // namespace

// A message box sizes itself to its text only: a spacer as wide as the title keeps the
// title whole.
void fitAndCentre(QDialog& box, QWidget* over) {
    if (over != nullptr) box.setFont(over->window()->font());  // the zoom: a box is a window, fonts do not reach it
    const int titleWidth = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarExtra;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
    } else {
        box.setMinimumWidth(titleWidth);
    }
    box.adjustSize();
    if (over == nullptr) return;
    const QRect window = over->window()->frameGeometry();
    box.move(window.center() - QPoint(box.width() / 2, box.height() / 2));
}

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
    fitAndCentre(box, parent);
    if (box.exec() != QDialog::Accepted) return {};
    return toText(box.textValue());
}

}  // namespace comet
