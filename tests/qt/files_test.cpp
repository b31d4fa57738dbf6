// The program as a file: opened, edited and saved back byte for byte in every encoding
// and line end; the question before unsaved changes are lost, answered each way; bad
// files and a failed save that change nothing; recent files and drops; the recovery
// copy, also after the process was killed.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>

#include "session/mainwindow.hpp"
#include "qt/frm_main.hpp"
#include "qt/qt_text.hpp"
#include "qt/recovery_store.hpp"
#include "qt/line_gutter.hpp"
#include "qt/source_editor.hpp"
#include "files/source_file.hpp"
#include "window_helpers.hpp"

using namespace comet;

namespace {

const char* const kChildMode = "--edit-and-wait";

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The user types at the start of the text.
void typeAtStart(FrmMain& w, const QString& typed) {
    editorOf(w)->moveCursor(QTextCursor::Start);
    QTest::keyClicks(editorOf(w), typed);
}

QAction* recentEntry(QMenu* recent, const QString& path) {
    emit recent->aboutToShow();
    for (QAction* entry : recent->actions()) {
        if (entry->text().endsWith(path)) return entry;
    }
    return nullptr;
}

// The texts of the question about a copy left behind, answered with `answer`.
QStringList offerRecoveryAnswering(FrmMain& w, QMessageBox::StandardButton answer) {
    MessageAnswerer restore(answer, "restoreCopy");
    w.offerRecovery();
    return restore.seen;
}

QStringList copiesIn(const QString& folder) { return QDir(folder).entryList({QStringLiteral("recovery-*.txt")}, QDir::Files); }

// The child process of the recovery test: opens the file, types into it, and waits to be killed.
int editAndWait(const QString& path) {
    ShownWindow w;
    w.openFile(path);
    typeAtStart(w, QStringLiteral("X"));
    return QApplication::exec();
}

}  // namespace

class FilesTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void openEditSaveKeepsTheBytes_data();
    void openEditSaveKeepsTheBytes();
    void unsavedChangesAreAskedAbout_data();
    void unsavedChangesAreAskedAbout();
    void badFilesChangeNothing_data();
    void badFilesChangeNothing();
    void aFailedSaveLosesNothing();
    void aNewProgramIsSavedUnderAChosenName();
    void recentFilesAndDrops();
    void theRecoveryCopyFollowsUnsavedChanges();
    void copiesLeftBehindAreOfferedWhenWorthIt_data();
    void copiesLeftBehindAreOfferedWhenWorthIt();
    void recoveryAfterTheProcessIsKilled();
    void theGutterFollowsATextSetWhole();

private:
    std::unique_ptr<QTemporaryDir> dir_;     // each test's own files
    std::unique_ptr<QTemporaryDir> badDir_;  // the bad files, made once for all their rows
    QString path(const char* name) const { return dir_->filePath(QLatin1String(name)); }
};

void FilesTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QDir(recoveryFolder()).removeRecursively();
}

// ---- Round trips ---------------------------------------------------------------------

void FilesTest::openEditSaveKeepsTheBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("lines");
    QTest::newRow("UTF-8 with BOM, CR LF") << QByteArray("\xEF\xBB\xBF" "S1  START\r\n    END\r\n") << 3;
    QTest::newRow("CP932, CR") << QByteArray("; \x95\x5C\r    END\r") << 3;
    QTest::newRow("UTF-8, CR, no end at the end") << QByteArray("S1  START\r    END") << 2;
}

// Saved unchanged, a file keeps every byte; edited, it changes only where it was edited.
void FilesTest::openEditSaveKeepsTheBytes() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, lines);
    const QString file = path("prog.casl");
    writeBytes(file, bytes);
    ShownWindow w;
    QVERIFY(w.openFile(file));
    QCOMPARE(editorOf(w)->blockCount(), lines);
    QVERIFY(w.save());
    QCOMPARE(readBytes(file), bytes);

    typeAtStart(w, QStringLiteral("X"));
    QCOMPARE(w.windowTitle(), QStringLiteral("prog.casl* \u2014 COMET Emulation"));
    QVERIFY(w.save());
    const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray expected = bytes.startsWith(bom) ? bom + "X" + bytes.mid(bom.size()) : "X" + bytes;
    QCOMPARE(readBytes(file), expected);
    QCOMPARE(w.windowTitle(), QStringLiteral("prog.casl \u2014 COMET Emulation"));
}

// ---- The question before changes are lost ---------------------------------------------

void FilesTest::unsavedChangesAreAskedAbout_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("answer");
    for (const char* action : {"New", "Open", "Close"}) {
        for (const auto& [name, button] : {std::pair{"Save", QMessageBox::Save}, std::pair{"Discard", QMessageBox::Discard},
                                          std::pair{"Cancel", QMessageBox::Cancel}}) {
            QTest::addRow("%s, %s", action, name) << QString::fromLatin1(action) << static_cast<int>(button);
        }
    }
}

void FilesTest::unsavedChangesAreAskedAbout() {
    QFETCH(QString, action);
    QFETCH(int, answer);
    const QString a = path("a.casl");
    const QString b = path("b.casl");
    writeBytes(a, "A\n");
    writeBytes(b, "B\n");
    ShownWindow w;
    {
        MessageAnswerer never(QMessageBox::Cancel, "saveChanges");
        QVERIFY(w.openFile(a));  // the sample was not changed: nothing to ask
        QCOMPARE(never.seen, QStringList());
    }
    typeAtStart(w, QStringLiteral("X"));

    MessageAnswerer answerer(static_cast<QMessageBox::StandardButton>(answer), "saveChanges");
    if (action == QLatin1String("New")) w.newDocument();
    else if (action == QLatin1String("Open")) w.openFile(b);
    else w.close();
    QCOMPARE(answerer.seen, QStringList{QStringLiteral("Save the changes to a.casl before they are lost?")});

    QCOMPARE(readBytes(a), answer == QMessageBox::Save ? QByteArray("XA\n") : QByteArray("A\n"));
    if (answer == QMessageBox::Cancel) {
        QVERIFY(w.isVisible());
        QCOMPARE(editorOf(w)->toPlainText(), QStringLiteral("XA\n"));
        return;
    }
    if (action == QLatin1String("New")) QCOMPARE(editorOf(w)->toPlainText(), QString());
    if (action == QLatin1String("Open")) QCOMPARE(editorOf(w)->toPlainText(), QStringLiteral("B\n"));
    if (action == QLatin1String("Close")) QVERIFY(!w.isVisible());
}

// ---- Bad files -----------------------------------------------------------------------

// The reason for each kind of bad file is the unit tests' to check; the window's limit is here.
void FilesTest::badFilesChangeNothing_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reason");
    badDir_ = std::make_unique<QTemporaryDir>();
    const auto path = [this](const char* name) { return badDir_->filePath(QLatin1String(name)); };
    QTest::newRow("missing") << path("missing.casl") << QStringLiteral("No such file or directory");
    writeBytes(path("large.casl"), QByteArray(kOpenFileLimit + 1, 'A'));
    QTest::newRow("too large") << path("large.casl")
                               << QStringLiteral("it is larger than 4 MiB, the limit for a source or script file; "
                                                 "check that it is the file you meant");
    // A pipe no one writes to would hold the window up forever: refused, as a device is.
    ::mkfifo(path("pipe.casl").toLocal8Bit().constData(), 0600);
    QTest::newRow("a pipe with no writer") << path("pipe.casl") << QStringLiteral("it is a pipe, not a file");
    QTest::newRow("a device") << QStringLiteral("/dev/zero") << QStringLiteral("it is a device, not a file");
}

void FilesTest::badFilesChangeNothing() {
    QFETCH(QString, file);
    QFETCH(QString, reason);
    ShownWindow w;
    typeAtStart(w, QStringLiteral("; mine "));
    const QString before = editorOf(w)->toPlainText();
    const QString title = w.windowTitle();
    MessageAnswerer warning;
    QVERIFY(!w.openFile(file));
    QCOMPARE(warning.seen, QStringList{QStringLiteral("cannot read %1: %2").arg(file, reason)});
    QCOMPARE(editorOf(w)->toPlainText(), before);
    QCOMPARE(w.windowTitle(), title);
    QVERIFY(w.document().path.empty());
}

// A folder no one may write into: for root, one of the kernel's.
void FilesTest::aFailedSaveLosesNothing() {
    QString folder = path("readonly");
    if (::geteuid() == 0) {
        folder = QStringLiteral("/sys");
    } else {
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    const QString a = path("a.casl");
    writeBytes(a, "A\n");
    ShownWindow w;
    QVERIFY(w.openFile(a));
    typeAtStart(w, QStringLiteral("X"));
    QTRY_VERIFY_WITH_TIMEOUT(w.recovery().kept(), 10000);
    MessageAnswerer warning;
    const QString target = folder + QStringLiteral("/b.casl");
    QVERIFY(!w.saveTo(target));
    QCOMPARE(warning.seen, QStringList{QStringLiteral("cannot save %1: Permission denied").arg(target)});
    QCOMPARE(QString::fromStdString(w.document().path), a);
    QVERIFY(w.hasUnsavedChanges());
    QVERIFY(w.recovery().kept());
}

// ---- Save As, recent files, drops ------------------------------------------------------

void FilesTest::aNewProgramIsSavedUnderAChosenName() {
    ActiveWindow w;
    w.newDocument();
    typeAtStart(w, QStringLiteral("S1 START"));
    const QString target = path("new.casl");
    whenFound([] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }, [&](QWidget* found) {
        auto* dialog = static_cast<QFileDialog*>(found);
        dialog->selectFile(target);
        static_cast<QDialog*>(dialog)->accept();  // public in QDialog
    });
    QTest::keyClick(editorOf(w), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(readBytes(target), QByteArray("S1 START"));  // a new file: UTF-8
    QCOMPARE(w.windowTitle(), QStringLiteral("new.casl \u2014 COMET Emulation"));
}

void FilesTest::recentFilesAndDrops() {
    for (const char* name : {"a.casl", "b.casl", "c.casl"}) writeBytes(path(name), QByteArray(name) + '\n');
    ShownWindow w;
    QVERIFY(w.openFile(path("a.casl")));
    QVERIFY(w.openFile(path("b.casl")));
    QVERIFY(w.openFile(path("a.casl")));
    auto* recent = control<QMenu>(w, "recentMenu");
    QCOMPARE(recentEntry(recent, path("a.casl"))->text(), QStringLiteral("&1  ") + path("a.casl"));
    QCOMPARE(recentEntry(recent, path("b.casl"))->text(), QStringLiteral("&2  ") + path("b.casl"));
    recentEntry(recent, path("b.casl"))->trigger();
    QCOMPARE(editorOf(w)->toPlainText(), QStringLiteral("b.casl\n"));

    // A file dropped on the editor is opened, not inserted as its name.
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path("c.casl"))});
    QWidget* viewport = editorOf(w)->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    QCOMPARE(editorOf(w)->toPlainText(), QStringLiteral("c.casl\n"));

    // A recent file that is gone is reported and leaves the list.
    QVERIFY(QFile::remove(path("a.casl")));
    MessageAnswerer warning;
    recentEntry(recent, path("a.casl"))->trigger();
    QCOMPARE(warning.seen.size(), 1);
    QCOMPARE(recentEntry(recent, path("a.casl")), nullptr);
    QCOMPARE(editorOf(w)->toPlainText(), QStringLiteral("c.casl\n"));
}

// ---- The recovery copy -----------------------------------------------------------------

void FilesTest::theRecoveryCopyFollowsUnsavedChanges() {
    const QString a = path("a.casl");
    writeBytes(a, "A\n");
    ShownWindow w;
    QVERIFY(w.openFile(a));
    QVERIFY(!w.recovery().kept());
    typeAtStart(w, QStringLiteral("X"));
    QTRY_VERIFY_WITH_TIMEOUT(w.recovery().kept(), 10000);  // what it keeps comes back after a kill, below
    QVERIFY(!RecoveryStore::newestOrphan().has_value());  // the copy of a window still open is not offered

    QVERIFY(w.save());
    QVERIFY(!w.recovery().kept());
    QCOMPARE(copiesIn(recoveryFolder()), QStringList());

    typeAtStart(w, QStringLiteral("Y"));
    QTRY_VERIFY_WITH_TIMEOUT(w.recovery().kept(), 10000);
    MessageAnswerer discard(QMessageBox::Discard, "saveChanges");
    QVERIFY(w.close());
    QCOMPARE(copiesIn(recoveryFolder()), QStringList());
}

// Copies left by no live window: a copy of nothing new is removed unasked. Which copies
// are worth offering is the unit tests' to check; a restored copy of a file is below.
void FilesTest::copiesLeftBehindAreOfferedWhenWorthIt_data() {
    QTest::addColumn<QByteArray>("fileBytes");  // empty: the copy has no file
    QTest::addColumn<QString>("copyText");
    QTest::addColumn<int>("answer");            // 0: not asked
    QTest::addColumn<QString>("editorAfter");
    const QString sample = plainOf(kSampleProgram);
    QTest::newRow("file changed, discarded") << QByteArray("A\n") << "XA\n" << static_cast<int>(QMessageBox::Discard) << sample;
    QTest::newRow("file holds the copy") << QByteArray("XA\n") << "XA\n" << 0 << sample;
    QTest::newRow("no file, new text, restored") << QByteArray() << "S1 START\n" << static_cast<int>(QMessageBox::Yes)
                                                 << "S1 START\n";
    QTest::newRow("no file, larger than Open reads") << QByteArray() << QString(kOpenFileLimit, u'A') << 0 << sample;
}

void FilesTest::copiesLeftBehindAreOfferedWhenWorthIt() {
    QFETCH(QByteArray, fileBytes);
    QFETCH(QString, copyText);
    QFETCH(int, answer);
    QFETCH(QString, editorAfter);
    const QString file = fileBytes.isEmpty() ? QString() : path("a.casl");
    if (!file.isEmpty()) writeBytes(file, fileBytes);
    const RecoveryCopy copy{QFile::encodeName(file).toStdString(), FileFormat{}, editorText(toText(copyText))};
    QDir().mkpath(recoveryFolder());
    const QString left = QDir(recoveryFolder()).filePath(QStringLiteral("recovery-1-1.txt"));
    QVERIFY(!writeSourceFile(QFile::encodeName(left).toStdString(), recoveryText(copy), FileFormat{}));

    ShownWindow w;
    QCOMPARE(offerRecoveryAnswering(w, static_cast<QMessageBox::StandardButton>(answer)).size(), answer == 0 ? 0 : 1);
    QCOMPARE(editorOf(w)->toPlainText(), editorAfter);
    QCOMPARE(w.hasUnsavedChanges(), answer == QMessageBox::Yes);
    QCOMPARE(copiesIn(recoveryFolder()), QStringList());
}

// The child process (this program, started again) opens a file and types into it; once
// its recovery copy is written it is killed, and the next start restores the text.
void FilesTest::recoveryAfterTheProcessIsKilled() {
    const QString a = path("a.casl");
    writeBytes(a, "A\n");
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QLatin1String(kChildMode), a});
    QVERIFY(child.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(!copiesIn(recoveryFolder()).isEmpty(), 20000);
    child.kill();
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    ShownWindow w;
    const QStringList asked = offerRecoveryAnswering(w, QMessageBox::Yes);  // "Restore"
    QCOMPARE(asked.size(), 1);
    QVERIFY(asked.front().startsWith(QStringLiteral("The workbench ended without saving the changes to a.casl")));
    QCOMPARE(editorOf(w)->toPlainText(), QStringLiteral("XA\n"));
    QCOMPARE(w.windowTitle(), QStringLiteral("a.casl* \u2014 COMET Emulation"));
    QCOMPARE(copiesIn(recoveryFolder()), QStringList());
    QVERIFY(w.save());
    QCOMPARE(readBytes(a), QByteArray("XA\n"));
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    if (argc == 3 && QByteArray(argv[1]) == kChildMode) return editAndWait(QString::fromLocal8Bit(argv[2]));
    FilesTest test;
    return QTest::qExec(&test, argc, argv);
}

// ---- The gutter ---------------------------------------------------------------------

// Counts the paint events of the widget it watches.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// Open, New and Restore set the text whole while the editor is scrolled far down: the
// gutter is drawn again at once, as wide as the new text's numbers need.
void FilesTest::theGutterFollowsATextSetWhole() {
    QByteArray many;
    for (int i = 0; i < 1000; ++i) many += "    NOP\n";
    writeBytes(path("many.casl"), many);
    writeBytes(path("few.casl"), QByteArray("A\nB\n"));
    ShownWindow w;
    SourceEditor* editor = editorOf(w);
    PaintCounter counter;
    editor->gutter()->installEventFilter(&counter);
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"Open", [&] { QVERIFY(w.openFile(path("few.casl"))); }},
        {"New", [&] { w.newDocument(); }},
        {"Restore", [&] {
             const RecoveryCopy copy{{}, FileFormat{}, editorText(toText(QStringLiteral("S1 START\n")))};
             QDir().mkpath(recoveryFolder());
             const QString left = QDir(recoveryFolder()).filePath(QStringLiteral("recovery-1-1.txt"));
             QVERIFY(!writeSourceFile(QFile::encodeName(left).toStdString(), recoveryText(copy), FileFormat{}));
             QCOMPARE(offerRecoveryAnswering(w, QMessageBox::Yes).size(), 1);
         }},
    };
    for (const auto& [name, step] : steps) {
        QVERIFY(w.openFile(path("many.casl")));
        editor->moveCursor(QTextCursor::End);
        QApplication::processEvents();
        counter.paints = 0;
        step();
        QApplication::processEvents();
        QVERIFY2(counter.paints > 0, name);
        QCOMPARE(editor->gutter()->width(), editor->gutter()->widthFor(editor->blockCount()));
    }
}

#include "files_test.moc"
