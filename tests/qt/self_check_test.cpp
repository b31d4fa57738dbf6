// Run ▸ Check against cases…: the program in the editor against a teacher's case file,
// its visible cases in a table with the reasons --grade gives, its hidden cases counted;
// a case file at fault said in a message box.
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "qt/self_check.hpp"
#include "window_helpers.hpp"

using namespace comet;

namespace {

// Writes back the line IN reads; a tab after an operand is warned about.
const QString kEcho = QStringLiteral(
    "E   START\n"
    "    IN  BUF,LEN\n"
    "    OUT BUF,LEN\n"
    "    EXIT\n"
    "BUF DS  10\n"
    "LEN DC  1\tX\n"
    "    END\n");

const QByteArray kCases =
    "[[case]]\nname = \"echo\"\ninput = [\"5\"]\noutput = [\"5\"]\n"
    "[[case]]\nname = \"twice\"\npoints = 2\ninput = [\"7\"]\noutput = [\"7\", \"7\"]\n"
    "[[case]]\nname = \"secret\"\nhidden = true\ninput = [\"x\"]\noutput = [\"y\"]\n";

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QLatin1String(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write %s", name);
    return path;
}

QString cell(QTableWidget* table, int row, int column) { return table->item(row, column)->text(); }

}  // namespace

class SelfCheckTest : public QObject {
    Q_OBJECT

private slots:
    void visibleCasesAreShownAndHiddenOnesCounted() {
        ShownWindow w;
        typeSource(w, kEcho);
        const QTemporaryDir dir;
        QDialog* dialog = checkAgainstCases(&w, w.workbench().text1.text, writeFile(dir, "cases.toml", kCases));
        QVERIFY(dialog != nullptr);
        QCOMPARE(control<QLabel>(*dialog, "selfCheckScore")->text(), QStringLiteral("Score: 1 of 4 points"));
        QCOMPARE(control<QLabel>(*dialog, "selfCheckHidden")->text(), QStringLiteral("Hidden cases: 1, 0 passed"));
        QCOMPARE(control<QLabel>(*dialog, "selfCheckWarnings")->text(),
                 QStringLiteral("6:10  warning: a tab is not a separator here: use blanks"));
        auto* table = control<QTableWidget>(*dialog, "selfCheckTable");
        QCOMPARE(table->rowCount(), 2);  // the hidden case has no row
        QCOMPARE(cell(table, 0, 0), QStringLiteral("echo"));
        QCOMPARE(cell(table, 0, 1), QStringLiteral("passed"));
        QCOMPARE(cell(table, 1, 0), QStringLiteral("twice"));
        QCOMPARE(cell(table, 1, 1), QStringLiteral("failed (wrong-output)"));
        QCOMPARE(cell(table, 1, 2), QStringLiteral("output line 2 is missing, expected \"7\""));
        QVERIFY(saveShot(*dialog, "self-check.png"));
        dialog->close();
    }

    void aCaseFileAtFaultIsSaid() {
        ShownWindow w;
        const QTemporaryDir dir;
        const QString path = writeFile(dir, "bad.toml", "[[case]]\nname = \"a\"\nmatch = \"fuzzy\"\n");
        MessageAnswerer answerer;
        QCOMPARE(checkAgainstCases(&w, w.workbench().text1.text, path), nullptr);
        QCOMPARE(answerer.seen.size(), 1);
        QVERIFY2(answerer.seen[0].endsWith(QStringLiteral("bad.toml:3:9: match must be \"exact\", \"trim\", \"ignore-case\" or \"regex\"")),
                 qPrintable(answerer.seen[0]));
    }
};

QTEST_MAIN(SelfCheckTest)
#include "self_check_test.moc"
