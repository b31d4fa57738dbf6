// The main window's menus and its program as a file: New, Open, Save, recent files,
// drops, the question before unsaved changes are lost, and the recovery copy.
#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <array>
#include <variant>

#include "emulator/engine.hpp"
#include "session/actions.hpp"
#include "session/debugging.hpp"
#include "session/exec_status.hpp"
#include "session/mainwindow.hpp"
#include "workbench/messages.hpp"
#include "qt/boxes.hpp"
#include "qt/clickable_label.hpp"
#include "qt/frm_main.hpp"
#include "qt/qt_text.hpp"
#include "qt/self_check.hpp"
#include "qt/source_editor.hpp"
#include "qt/window_texts.hpp"

namespace comet {

namespace {

const QString kRecentKey = QStringLiteral("recentFiles");
const QString kZoomKey = QStringLiteral("zoomPercent");
const QString kGeometryKey = QStringLiteral("windowGeometry");
const QString kSpeedKey = QStringLiteral("speed");
const QString kLanguageKey = QStringLiteral("language");

// The program's settings, under its own name (a test program keeps its own).
QSettings settings() {
    const QString name = QCoreApplication::applicationName();
    return QSettings(name, name);
}

// An item whose text the texts keep in the current language.
template <class Handler>
QAction* addCommand(WindowTexts& texts, QMenu* menu, Msg text, const QKeySequence& key, Handler handler) {
    QAction* action = menu->addAction(QString());
    texts.text(action, text);
    action->setShortcut(key);
    QObject::connect(action, &QAction::triggered, menu, std::move(handler));
    return action;
}

// A menu of the menu bar or of another menu.
template <class Parent>
QMenu* addMenu(WindowTexts& texts, Parent* parent, Msg title) {
    QMenu* menu = parent->addMenu(QString());
    texts.text(menu->menuAction(), title);
    return menu;
}

}  // namespace

// ---- Menus ---------------------------------------------------------------------------

void FrmMain::createMenus() {
    createFileMenu();
    createRunMenu();
    createViewMenu();
}

void FrmMain::createFileMenu() {
    QMenu* file = addMenu(texts_, menuBar(), Msg::MenuFile);
    addCommand(texts_, file, Msg::ItemNew, QKeySequence::New, [this] { newDocument(); });
    addCommand(texts_, file, Msg::ItemOpen, QKeySequence::Open, [this] {
        const QString path = QFileDialog::getOpenFileName(this, shownMessage(Msg::DialogOpen), dialogFolder(),
                                                          shownMessage(Msg::FilterSources));
        if (!path.isEmpty()) openFile(path);
    });
    recentMenu_ = addMenu(texts_, file, Msg::ItemRecentFiles);
    recentMenu_->setObjectName(QStringLiteral("recentMenu"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &FrmMain::fillRecentMenu);
    fillRecentMenu();
    file->addSeparator();
    addCommand(texts_, file, Msg::ItemSave, QKeySequence::Save, [this] { save(); });
    // Ctrl+Shift+S on every desktop: some give the standard Save As no key at all.
    addCommand(texts_, file, Msg::ItemSaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { saveAs(); });
    file->addSeparator();
    addCommand(texts_, file, Msg::ItemQuit, QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });  // Ctrl+Q on every desktop
}

// Every command of the Run menu is made here, with its key: Back beside Exec as Shift+F5
// beside F5, F9 for breakpoints as in other debuggers. Run to cursor and Reset also take
// the browser page's keys; Reset's own is Ctrl+Shift+F5, because desktops take Ctrl+F2
// to switch workspaces.
void FrmMain::createRunMenu() {
    runMenu_ = addMenu(texts_, menuBar(), Msg::MenuRun);
    runMenu_->setObjectName(QStringLiteral("runMenu"));
    addRunAction(Msg::ItemAsm, Qt::Key_F7, command_[0], Msg::TipAsm, [this] { command_[0]->click(); });
    addRunAction(Msg::ItemExec, Qt::Key_F5, command_[1], Msg::TipExec, [this] { command_[1]->click(); });
    back_ = addCommand(texts_, runMenu_, Msg::ItemBack, QKeySequence(Qt::SHIFT | Qt::Key_F5),
                       [this] { deliver([&] { userStepsBack(wb_); }); });
    runToCursor_ = addCommand(texts_, runMenu_, Msg::ItemRunToCursor, QKeySequence(), [this] { deliver([&] { press(true); }); });
    runToCursor_->setShortcuts({Qt::Key_F4, QKeySequence(Qt::CTRL | Qt::Key_F10)});
    addRunAction(Msg::ItemSwitchMode, Qt::Key_F6, label3_, Msg::TipSwitchMode, [this] { deliver([&] { Label3_Click(wb_); }); });
    runMenu_->addSeparator();
    addCommand(texts_, runMenu_, Msg::ItemToggleBreakpoint, Qt::Key_F9,
               [this] { deliver([&] { userTogglesBreakpointAtCaret(wb_); }); });
    reset_ = addCommand(texts_, runMenu_, Msg::ItemReset, QKeySequence(), [this] { deliver([&] { userResets(wb_); }); });
    reset_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_F2)});
    createSpeedMenu();
    runMenu_->addSeparator();
    addCommand(texts_, runMenu_, Msg::ItemCheckAgainstCases, QKeySequence(), [this] {
        const QString path = QFileDialog::getOpenFileName(this, shownMessage(Msg::DialogCheckAgainstCases), dialogFolder(),
                                                          shownMessage(Msg::FilterCases));
        if (!path.isEmpty()) checkAgainstCases(this, wb_.text1.text, path);
    });
    runMenu_->addSeparator();
    runMenu_->addAction(monitor_.stopAction());
    texts_.text(monitor_.stopAction(), Msg::ItemStopRun);
    texts_.tip(back_, Msg::TipBack, back_);
    texts_.tip(runToCursor_, Msg::TipRunToCursor, runToCursor_);
    texts_.tip(reset_, Msg::TipReset, reset_);
}

// A Run Mode press at full speed, or watched at a number of instructions a second.
void FrmMain::createSpeedMenu() {
    speedMenu_ = addMenu(texts_, runMenu_, Msg::ItemSpeed);
    speedMenu_->setObjectName(QStringLiteral("speedMenu"));
    auto* group = new QActionGroup(speedMenu_);
    for (const int speed : kWatchSpeeds) {
        QAction* action = speedMenu_->addAction(QString(), this, [this, speed] {
            deliver([&] { userSetsSpeed(wb_, speed); });
            rememberSettings();
        });
        texts_.keep([action, speed] {
            action->setText(speed == 0   ? shownMessage(Msg::ItemFullSpeed)
                            : speed == 1 ? shownMessage(Msg::ItemOneASecond)
                                         : shownMessage(Msg::ItemManyASecond, {std::to_string(speed)}));
        });
        action->setCheckable(true);
        group->addAction(action);
        speedActions_.emplace_back(speed, action);
    }
}

// Over the panel of "ASM" and "Exec", where the design has no room beside them.
void FrmMain::createDebugBar() {
    debugBar_ = addToolBar(QString());
    texts_.title(debugBar_, Msg::TitleDebugBar);
    debugBar_->setObjectName(QStringLiteral("debugBar"));
    debugBar_->setMovable(false);
    debugBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* spacer = new QWidget(debugBar_);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    debugBar_->addWidget(spacer);
    debugBar_->addAction(back_);
    debugBar_->addAction(runToCursor_);
    debugBar_->addAction(reset_);
    debugBar_->addAction(speedMenu_->menuAction());
    qobject_cast<QToolButton*>(debugBar_->widgetForAction(speedMenu_->menuAction()))->setPopupMode(QToolButton::InstantPopup);
}

QAction* FrmMain::addRunAction(Msg text, const QKeySequence& key, QWidget* control, Msg tip, std::function<void()> handler) {
    QAction* action = addCommand(texts_, runMenu_, text, key, std::move(handler));
    texts_.tip(control, tip, action);
    return action;
}

void FrmMain::createViewMenu() {
    QMenu* view = addMenu(texts_, menuBar(), Msg::MenuView);
    QAction* in = addCommand(texts_, view, Msg::ItemZoomIn, QKeySequence::ZoomIn, [this] { zoomBy(1); });
    in->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});  // = is + without Shift
    addCommand(texts_, view, Msg::ItemZoomOut, QKeySequence::ZoomOut, [this] { zoomBy(-1); });
    addCommand(texts_, view, Msg::ItemResetZoom, QKeySequence(Qt::CTRL | Qt::Key_0), [this] { zoomBy(0); });
    view->addSeparator();
    consoleAction_ = addCommand(texts_, view, Msg::ItemConsole, QKeySequence(), [this] {
        deliver([&] { userTurnsConsole(wb_, consoleAction_->isChecked()); });
    });
    consoleAction_->setObjectName(QStringLiteral("consoleAction"));
    consoleAction_->setCheckable(true);
    createLanguageMenu(view);
}

// Each language named in itself, so that a learner who reads only one finds it.
void FrmMain::createLanguageMenu(QMenu* view) {
    QMenu* menu = addMenu(texts_, view, Msg::ItemLanguage);
    menu->setObjectName(QStringLiteral("languageMenu"));
    auto* group = new QActionGroup(menu);
    const std::pair<Language, QString> languages[] = {{Language::English, QStringLiteral("English")},
                                                      {Language::Japanese, QStringLiteral("日本語")}};
    for (const auto& [language, name] : languages) {
        QAction* action = menu->addAction(name, this, [this, language] { showInLanguage(language); });
        action->setCheckable(true);
        action->setChecked(currentLanguage() == language);
        group->addAction(action);
    }
}

// The texts of the workbench's own are drawn anew; the design's stay as they are.
void FrmMain::showInLanguage(Language language) {
    setLanguage(language);
    if (auto* menu = menuBar()->findChild<QMenu*>(QStringLiteral("languageMenu"))) {
        const QList<QAction*> items = menu->actions();  // in the order of Language
        for (qsizetype i = 0; i < items.size(); ++i) items[i]->setChecked(static_cast<Language>(i) == language);
    }
    texts_.apply();
    shownItems_.clear();  // the chooser's items are made anew with their help in the language
    problemList_->clear();
    text1_->showMarks({}, 0);
    mirror();
}

// ---- The document ------------------------------------------------------------------

bool FrmMain::hasUnsavedChanges() const { return comet::hasUnsavedChanges(doc_, wb_.text1.text); }

void FrmMain::newDocument() {
    if (askToSaveChanges()) loadDocument(documentOf({}, FileFormat{}, {}));
}

bool FrmMain::openFile(const QString& path) { return openFrom(path, false); }

// A bad file is reported before anything is asked, and changes nothing.
bool FrmMain::openFrom(const QString& path, bool fromRecent) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    auto read = readSourceFile(nativePath(absolute), kOpenFileLimit, Pipes::Refuse);
    if (const auto* error = std::get_if<FileError>(&read)) {
        showFileError(error->message);
        if (fromRecent) forgetRecent(absolute);
        return false;
    }
    if (!askToSaveChanges()) return false;
    auto& file = std::get<SourceFile>(read);
    loadDocument(documentOf(nativePath(absolute), file.format, std::move(file.text)));
    rememberRecent(absolute);
    return true;
}

bool FrmMain::save() {
    if (doc_.path.empty()) return saveAs();
    return saveTo(pathOf(doc_.path));
}

bool FrmMain::saveAs() {
    const QString path = QFileDialog::getSaveFileName(this, shownMessage(Msg::DialogSaveAs), dialogFolder(), shownMessage(Msg::FilterSources));
    return !path.isEmpty() && saveTo(pathOf(withSourceExtension(nativePath(path))));
}

// On failure the document, the editor and the recovery copy stay as they were.
bool FrmMain::saveTo(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (auto error = writeSourceFile(nativePath(absolute), wb_.text1.text, doc_.format)) {
        showFileError(error->message);
        return false;
    }
    doc_ = documentOf(nativePath(absolute), doc_.format, wb_.text1.text);
    rememberRecent(absolute);
    keepRecoveryCopy();
    mirror();
    return true;
}

bool FrmMain::askToSaveChanges() {
    if (!hasUnsavedChanges()) return true;
    QMessageBox box(QMessageBox::Warning, toQString(kAppTitle), toQString(saveChangesQuestion(doc_)),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("saveChanges"));
    box.setDefaultButton(QMessageBox::Save);
    box.button(QMessageBox::Save)->setText(shownMessage(Msg::ItemSave));
    box.button(QMessageBox::Discard)->setText(shownMessage(Msg::ButtonDiscard));
    box.button(QMessageBox::Cancel)->setText(shownMessage(Msg::ButtonCancel));
    fitAndCentre(box, this);
    switch (box.exec()) {
        case QMessageBox::Save: return save();
        case QMessageBox::Discard: return true;
        default: return false;
    }
}

// The old text is cleared first, so that the new one is set whole: undo does not go back
// into another document. The machine starts afresh with it, as at start-up.
void FrmMain::loadDocument(Document doc) {
    doc_ = std::move(doc);
    {
        const QSignalBlocker block(text1_);
        text1_->document()->clear();
    }
    shownSource_.clear();
    shownWidgetText_.clear();
    if (wb_.debug.press.active) deliver([&] { userStopsWatchedPress(wb_); });
    deliver([&] { startWithText(wb_, doc_.savedText, documentName(doc_)); });
    keepRecoveryCopy();
}

void FrmMain::showFileError(const std::string& message) {
    QMessageBox box(QMessageBox::Warning, toQString(kAppTitle), QString::fromStdString(message), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("fileError"));
    fitAndCentre(box, this);
    box.exec();
}

QString FrmMain::dialogFolder() const {
    if (!doc_.path.empty()) return QFileInfo(pathOf(doc_.path)).absolutePath();
    const QStringList recent = settings().value(kRecentKey).toStringList();
    return recent.isEmpty() ? QDir::homePath() : QFileInfo(recent.front()).absolutePath();
}

// ---- What the next start remembers ----------------------------------------------------

void FrmMain::rememberSettings() {
    QSettings store = settings();
    store.setValue(kZoomKey, zoomPercent());
    store.setValue(kGeometryKey, saveGeometry());
    store.setValue(kSpeedKey, wb_.debug.speed);
    store.setValue(kLanguageKey, QString::fromLatin1(languageCode(currentLanguage())));
}

void FrmMain::restoreSettings() {
    const QSettings store = settings();
    zoomTo(store.value(kZoomKey, 100).toInt());
    if (store.contains(kGeometryKey)) restoreGeometry(store.value(kGeometryKey).toByteArray());
    const int speed = store.value(kSpeedKey, 0).toInt();
    deliver([&] { userSetsSpeed(wb_, speed); });
    const auto language = languageNamed(store.value(kLanguageKey).toString().toStdString());
    if (language && !languageFixed()) showInLanguage(*language);
}

// ---- Recent files ------------------------------------------------------------------

void FrmMain::rememberRecent(const QString& path) {
    QSettings store = settings();
    std::vector<std::string> recent;
    for (const QString& p : store.value(kRecentKey).toStringList()) recent.push_back(nativePath(p));
    QStringList paths;
    for (const std::string& p : withRecentFile(std::move(recent), nativePath(path))) paths << pathOf(p);
    store.setValue(kRecentKey, paths);
}

void FrmMain::forgetRecent(const QString& path) {
    QSettings store = settings();
    QStringList paths = store.value(kRecentKey).toStringList();
    paths.removeAll(path);
    store.setValue(kRecentKey, paths);
}

void FrmMain::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList paths = settings().value(kRecentKey).toStringList();
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        recentMenu_->addAction(QStringLiteral("&%1  %2").arg(i + 1).arg(QDir::toNativeSeparators(path)), this,
                               [this, path] { openFrom(path, true); });
    }
    recentMenu_->setEnabled(!paths.isEmpty());
}

// ---- Drops -------------------------------------------------------------------------

void FrmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void FrmMain::dropEvent(QDropEvent* event) {
    const QStringList paths = droppedFiles(event->mimeData());
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    openFile(paths.front());
}

// ---- Title and recovery copy -------------------------------------------------------

// A copy is written a few seconds after the first edit it lacks, not after every key.
void FrmMain::mirrorDocument() {
    const QString title = toQString(windowTitleOf(doc_, hasUnsavedChanges()));
    if (windowTitle() != title) setWindowTitle(title);
    if (wb_.text1.text != keptText_ && !recoveryTimer_.isActive()) recoveryTimer_.start();
}

// The copy holds unsaved changes only; without them there is none.
void FrmMain::keepRecoveryCopy() {
    recoveryTimer_.stop();
    keptText_ = wb_.text1.text;
    if (!hasUnsavedChanges()) {
        recovery_.forget();
        return;
    }
    if (auto error = recovery_.keep({doc_.path, doc_.format, keptText_})) {
        statusBar()->showMessage(shownMessage(Msg::NoRecoveryCopy, {error->message}));
    }
}

// The newest copy worth restoring is offered; copies of nothing new are removed unasked.
void FrmMain::offerRecovery() {
    while (auto orphan = RecoveryStore::newestOrphan()) {
        const RecoveryCopy& copy = orphan->copy;
        std::optional<Text> fileText;
        if (!copy.path.empty()) {
            auto read = readSourceFile(copy.path, kOpenFileLimit, Pipes::Refuse);
            if (auto* file = std::get_if<SourceFile>(&read)) fileText = std::move(file->text);
        }
        if (!worthRestoring(copy, fileText)) {
            RecoveryStore::discard(*orphan);
            continue;
        }
        const Document from = documentOf(copy.path, copy.format, {});
        const QString when = QDateTime::fromMSecsSinceEpoch(orphan->modified).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        QMessageBox box(QMessageBox::Question, toQString(kAppTitle),
                        shownMessage(Msg::AskRestore, {toUtf8(documentName(from)), when.toStdString()}),
                        QMessageBox::Yes | QMessageBox::Discard, this);
        box.setObjectName(QStringLiteral("restoreCopy"));
        box.button(QMessageBox::Yes)->setText(shownMessage(Msg::ButtonRestore));
        box.button(QMessageBox::Discard)->setText(shownMessage(Msg::ButtonDiscard));
        box.setDefaultButton(QMessageBox::Yes);
        fitAndCentre(box, this);
        if (box.exec() == QMessageBox::Yes && askToSaveChanges()) {
            loadDocument(documentOf(copy.path, copy.format, fileText.value_or(Text())));
            deliver([&] { userSetsSource(wb_, copy.text); });
        }
        RecoveryStore::discard(*orphan);
        return;
    }
}

}  // namespace comet
