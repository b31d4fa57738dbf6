// Closing the main window while a Run Mode run is under way: the run stops, and the
// user is asked whether to quit.
#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include "emulator/engine.hpp"
#include "ui/qt/frm_main.hpp"
#include "ui/qt/source_editor.hpp"
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
    whenFound(runBox, [&](QWidget*) {
        seen.mainWindowBlocked = QGuiApplication::modalWindow() != nullptr;
        QTest::keyClicks(editorOf(w), QStringLiteral("XYZ"));
        seen.editorAfterTyping = editorOf(w)->toPlainText();
        w.close();
    });
    press(w, "Command2");
    return seen;
}

const QStringList kQuitQuestion{QStringLiteral("Run Mode was stopped. Quit the workbench?")};

}  // namespace

class CloseTest : public QObject {
    Q_OBJECT

private slots:
    void closingDuringARunStopsItAndAsks();
};

void CloseTest::closingDuringARunStopsItAndAsks() {
    FrmMain w;
    w.show();
    startRunModeWith(w, kCountingLoop);

    {
        MessageAnswerer quit(QMessageBox::No, "");  // the question after the run has no name of its own
        const DuringRun first = closeDuringRun(w);
        QVERIFY2(!first.mainWindowBlocked, "the Run Mode box keeps the close request from the main window");
        QCOMPARE(first.editorAfterTyping, kCountingLoop);  // input to the main window is dropped during the run
        QCOMPARE(w.workbench().run.haltedBy, Halt::Stopped);
        QTRY_COMPARE(quit.seen, kQuitQuestion);
        QVERIFY(w.isVisible());
    }
    // The typed program is not saved: closing asks about it too, inside the Yes.
    MessageAnswerer quit(QMessageBox::Yes, "");
    MessageAnswerer discard(QMessageBox::Discard, "saveChanges");
    closeDuringRun(w);
    QTRY_VERIFY(!w.isVisible());
    QCOMPARE(quit.seen, kQuitQuestion);
    QCOMPARE(discard.seen, QStringList{QStringLiteral("Save the changes to Untitled before they are lost?")});
}

QTEST_MAIN(CloseTest)
#include "close_test.moc"
