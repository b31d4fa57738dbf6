#include "qt/self_check.hpp"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QLabel>
#include <QMessageBox>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

#include "grading/feedback.hpp"
#include "qt/qt_text.hpp"
#include "qt/window_texts.hpp"
#include "session/headless.hpp"

namespace comet {
namespace {

constexpr std::array kHeadings{Msg::HeadingCase, Msg::HeadingResult, Msg::HeadingWhy};

QString shown(const std::string& text) { return QString::fromStdString(text); }

QTableWidget* resultsTable(const Feedback& feedback, QWidget* parent) {
    auto* table = new QTableWidget(static_cast<int>(feedback.cases.size()), static_cast<int>(kHeadings.size()), parent);
    table->setObjectName(QStringLiteral("selfCheckTable"));
    QStringList headings;
    for (const Msg heading : kHeadings) headings << shownMessage(heading);
    table->setHorizontalHeaderLabels(headings);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < table->rowCount(); ++row) {
        const CaseFeedback& c = feedback.cases[static_cast<size_t>(row)];
        QStringList details;
        for (const auto& d : c.details) details << shown(d);
        table->setItem(row, 0, new QTableWidgetItem(shown(c.name)));
        table->setItem(row, 1, new QTableWidgetItem(shown(c.result)));
        table->setItem(row, 2, new QTableWidgetItem(details.join(QLatin1Char('\n'))));
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    return table;
}

QDialog* resultsDialog(const Feedback& feedback, QWidget* parent) {
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(QStringLiteral("selfCheck"));
    dialog->setWindowTitle(shownMessage(Msg::DialogCheckAgainstCases));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(dialog);
    auto* score = new QLabel(shown(feedback.score), dialog);
    score->setObjectName(QStringLiteral("selfCheckScore"));
    layout->addWidget(score);
    QStringList warnings;
    for (const auto& w : feedback.warnings) warnings << shown(w);
    if (!warnings.isEmpty()) {
        auto* label = new QLabel(warnings.join(QLatin1Char('\n')), dialog);
        label->setObjectName(QStringLiteral("selfCheckWarnings"));
        layout->addWidget(label);
    }
    if (!feedback.everyCase.empty()) layout->addWidget(new QLabel(shown(feedback.everyCase), dialog));
    layout->addWidget(resultsTable(feedback, dialog));
    if (!feedback.hidden.empty()) {
        auto* hidden = new QLabel(shown(feedback.hidden), dialog);
        hidden->setObjectName(QStringLiteral("selfCheckHidden"));
        layout->addWidget(hidden);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    buttons->button(QDialogButtonBox::Close)->setText(shownMessage(Msg::ButtonClose));
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    layout->addWidget(buttons);
    dialog->resize(720, 360);
    dialog->show();
    return dialog;
}

}  // namespace

QDialog* checkAgainstCases(QWidget* parent, const Text& source, const QString& casesPath) {
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);  // each case may take up to its time limit
        const Exercise exercise = loadExercise(nativePath(casesPath), kDefaultMaxSteps);
        const Grader grader(exercise);
        const Feedback feedback = feedbackOf(exercise, grader.gradeText(kEditorProgramName, source));
        QApplication::restoreOverrideCursor();
        return resultsDialog(feedback, parent);
    } catch (const CaseFileError& e) {
        QApplication::restoreOverrideCursor();
        QMessageBox::warning(parent, shownMessage(Msg::DialogCheckAgainstCases), shown(e.what()));
        return nullptr;
    }
}

}  // namespace comet
