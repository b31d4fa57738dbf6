// Closing the main window while a Run Mode run is under way: the run stops, and the
// user is asked whether to quit.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "emulator/engine.hpp"
#include "ui/qt/frm_main.hpp"
#include "window_helpers.hpp"

using namespace comet;

namespace {

struct DuringRun {
    bool mainWindowBlocked = true;  // something modal would keep the window system's close away
    QString editorAfterTyping;      // Text1 after the user typed into it
};

// Starts an endless Run Mode run; once its box is up, the user types into the editor and
// then closes the main window.
DuringRun closeDuringRun(FrmMain& w) {
    DuringRun seen;
    auto* text1 = w.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    whenFound(runBox, [&](QWidget*) {
        seen.mainWindowBlocked = QGuiApplication::modalWindow() != nullptr;
        QTest::keyClicks(text1, QStringLiteral("XYZ"));
        seen.editorAfterTyping = text1->toPlainText();
        w.close();
    });
    w.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    return seen;
}

// Answers the question asked after the run with `button`; returns its text.
QString answerQuestion(QMessageBox::StandardButton button) {
    QString text;
    whenFound(QApplication::activeModalWidget, [&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) return;
        text = box->text();
        box->button(button)->click();
    });
    if (!QTest::qWaitFor([&] { return !text.isEmpty(); }, 10000)) return QStringLiteral("(no question)");
    return text;
}

}  // namespace

class CloseTest : public QObject {
    Q_OBJECT

private slots:
    void closingDuringARunStopsItAndAsks();
};

void CloseTest::closingDuringARunStopsItAndAsks() {
    FrmMain w;
    w.show();
    w.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->setPlainText(kCountingLoop);
    w.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QTest::mouseClick(w.findChild<QLabel*>(QStringLiteral("Label3")), Qt::LeftButton);

    const DuringRun first = closeDuringRun(w);
    QVERIFY2(!first.mainWindowBlocked, "the Run Mode box keeps the close request from the main window");
    QCOMPARE(first.editorAfterTyping, kCountingLoop);  // input to the main window is dropped during the run
    QCOMPARE(w.workbench().run.haltedBy, Halt::Stopped);
    QCOMPARE(answerQuestion(QMessageBox::No), QStringLiteral("Run Mode was stopped. Quit the workbench?"));
    QVERIFY(w.isVisible());

    closeDuringRun(w);
    // The typed program is not saved: closing asks about it too, inside the Yes.
    QString saveQuestion;
    whenFound([] { return modalNamed("saveChanges"); }, [&](QWidget* box) {
        saveQuestion = static_cast<QMessageBox*>(box)->text();
        static_cast<QMessageBox*>(box)->button(QMessageBox::Discard)->click();
    });
    QCOMPARE(answerQuestion(QMessageBox::Yes), QStringLiteral("Run Mode was stopped. Quit the workbench?"));
    QCOMPARE(saveQuestion, QStringLiteral("Save the changes to Untitled before they are lost?"));
    QTRY_VERIFY(!w.isVisible());
}

QTEST_MAIN(CloseTest)
#include "close_test.moc"
