#include "qt/console_pane.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "qt/fonts.hpp"
#include "qt/qt_text.hpp"
#include "qt/window_texts.hpp"

namespace comet {

ConsolePane::ConsolePane(QWidget* parent, WindowTexts& texts) : QDockWidget(parent) {
    setObjectName(QStringLiteral("consoleDock"));
    texts.title(this, Msg::TitleConsole);
    auto* panel = new QWidget;
    output_ = new QPlainTextEdit;
    output_->setObjectName(QStringLiteral("consoleOutput"));
    output_->setReadOnly(true);
    output_->setFont(fixedJapaneseFont());
    texts.keep([this] { output_->setAccessibleName(shownMessage(Msg::ConsoleOutput)); });
    input_ = new QLineEdit;
    input_->setObjectName(QStringLiteral("consoleInput"));
    input_->setFont(fixedJapaneseFont());
    texts.keep([this] { input_->setPlaceholderText(shownMessage(Msg::ConsoleInputHint)); });
    auto* inputLabel = new QLabel;
    inputLabel->setObjectName(QStringLiteral("consoleInputLabel"));
    texts.text(inputLabel, Msg::ConsoleInput);
    inputLabel->setBuddy(input_);
    auto* clear = new QPushButton;
    clear->setObjectName(QStringLiteral("consoleClear"));
    texts.text(clear, Msg::ConsoleClear);
    auto* row = new QHBoxLayout;
    row->addWidget(inputLabel);
    row->addWidget(input_, 1);
    row->addWidget(clear);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(output_, 1);
    layout->addLayout(row);
    setWidget(panel);
    connect(clear, &QPushButton::clicked, this, &ConsolePane::clearPressed);
    connect(input_, &QLineEdit::textEdited, this, &ConsolePane::inputEdited);
}

// The output is written anew only after its lines changed, and shown from its newest line.
void ConsolePane::mirror(const Console& console) {
    const QString input = toQString(console.input);
    if (input_->text() != input) {
        const QSignalBlocker block(input_);
        input_->setText(input);
    }
    if (console.changes == shownChanges_) return;
    shownChanges_ = console.changes;
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(console.lines.size()));
    for (const Text& line : console.lines) lines << toQString(line);
    output_->setPlainText(lines.join(QLatin1Char('\n')));
    output_->verticalScrollBar()->setValue(output_->verticalScrollBar()->maximum());
}

}  // namespace comet
