#include "qt/qt_main.hpp"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTextBlock>
#include <QTextCursor>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "files/escape.hpp"
#include "files/source_file.hpp"
#include "qt/frm_main.hpp"
#include "qt/qt_text.hpp"
#include "qt/frm_text.hpp"

namespace comet {

namespace {

constexpr int kHelpTableLine = 31;  // "■ニーモニックコード一覧"

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

bool displayAvailable() { return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM"); }

// "DISPLAY=:59": the settings that chose the display that could not be opened.
std::string displaySettings() {
    std::string settings;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!isSet(name)) continue;
        settings += (settings.empty() ? "" : " ") + std::string(name) + '=' + std::getenv(name);
    }
    return settings;
}

// The platform's messages while the application starts: Qt reports a display it cannot
// open with its own advice and then aborts. Its messages are held back until the start
// has succeeded, and the fatal one becomes the program's own line and status 1.
std::vector<std::pair<QtMsgType, QString>> heldMessages;

void holdStartupMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        heldMessages.emplace_back(type, message);
        return;
    }
    std::fprintf(stderr, "comet-workbench: %s\n", comet::message(Msg::CliCannotOpenWindow, {displaySettings()}).c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

void startupSucceeded() {
    qInstallMessageHandler(nullptr);
    for (const auto& [type, message] : heldMessages) {
        const QMessageLogger log;
        if (type == QtDebugMsg) log.debug("%s", qPrintable(message));
        else if (type == QtInfoMsg) log.info("%s", qPrintable(message));
        else if (type == QtWarningMsg) log.warning("%s", qPrintable(message));
        else log.critical("%s", qPrintable(message));
    }
    heldMessages.clear();
}

// A picture as a PNG file, written whole or not at all.
bool saveShot(const QPixmap& picture, const QString& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    const std::string file = nativePath(path);
    std::optional<FileError> error;
    if (!picture.save(&buffer, "PNG")) error = FileError{FileProblem::System, message(Msg::CliCannotWrite, {shownName(file), message(Msg::CliPictureNotMade)})};
    else error = writeWholeFile(file, std::string_view(png.constData(), static_cast<size_t>(png.size())), Msg::CliCannotWrite);
    if (error) std::fprintf(stderr, "comet-workbench: %s\n", error->message.c_str());
    else std::printf("%s\n", message(Msg::CliSaved, {shownName(file)}).c_str());
    return !error;
}

// The window with its Run menu open under the menu's title: a menu is a window of its own,
// which a picture of the main window leaves out.
QPixmap withRunMenuOpen(FrmMain& window) {
    auto* run = window.findChild<QMenu*>(QStringLiteral("runMenu"));
    const QPoint under = window.menuBar()->mapTo(&window, window.menuBar()->actionGeometry(run->menuAction()).bottomLeft());
    run->popup(window.mapToGlobal(under));
    QApplication::processEvents();
    QPixmap picture = window.grab();
    QPainter(&picture).drawPixmap(under, run->grab());
    run->hide();
    return picture;
}

int saveScreenshots(FrmMain& window, const QString& dir) {
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "comet-workbench: %s\n", message(Msg::CliCannotCreate, {shownName(nativePath(dir))}).c_str());
        return 1;
    }
    window.show();
    QApplication::processEvents();
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QApplication::processEvents();
    bool saved = saveShot(window.grab(), QDir(dir).filePath(QStringLiteral("main.png")));
    saved = saveShot(withRunMenuOpen(window), QDir(dir).filePath(QStringLiteral("menu.png"))) && saved;
    window.findChild<QPushButton*>(QStringLiteral("Command3"))->click();
    FrmText* viewer = window.viewer();
    viewer->resize(980, 640);
    QApplication::processEvents();
    saved = saveShot(viewer->grab(), QDir(dir).filePath(QStringLiteral("help.png"))) && saved;
    QPlainTextEdit* box = viewer->textBox();
    box->setTextCursor(QTextCursor(box->document()->findBlockByNumber(kHelpTableLine)));
    box->verticalScrollBar()->setValue(kHelpTableLine);
    QApplication::processEvents();
    saved = saveShot(viewer->grab(), QDir(dir).filePath(QStringLiteral("help-table.png"))) && saved;
    return saved ? 0 : 1;
}

}  // namespace

int runQtWindow(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fprintf(stderr, "comet-workbench: %s\n", message(Msg::CliNoDisplay).c_str());
        return 1;
    }
    qInstallMessageHandler(holdStartupMessage);
    QApplication app(argc, argv);
    startupSucceeded();
    QApplication::setApplicationName(QStringLiteral("comet-workbench"));
    QGuiApplication::setDesktopFileName(QStringLiteral("comet-workbench"));
    const QStringList args = QApplication::arguments();
    FrmMain window;
    if (args.size() == 3 && args[1] == QLatin1String("--screenshot")) return saveScreenshots(window, args[2]);
    if (args.size() > 2) {
        std::fprintf(stderr, "comet-workbench: %s\n", message(Msg::CliWindowArguments).c_str());
        return 2;
    }
    window.restoreSettings();
    window.show();
    // Once the window is up: the file asked for, then what a crashed workbench left.
    QTimer::singleShot(0, &window, [&window, args] {
        if (args.size() == 2) window.openFile(args[1]);
        window.offerRecovery();
    });
    return QApplication::exec();
}

}  // namespace comet
