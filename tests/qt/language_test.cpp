// The window's own texts in either language: its menus, tool bar, docks, boxes and
// buttons follow View > Language at once, with their keys; and the readings of the
// listing, the dump and the registers reach a learner who moves by keyboard.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolTip>

#include <memory>

#include "workbench/messages.hpp"
#include "qt/frm_main.hpp"
#include "qt/self_check.hpp"
#include "qt/source_editor.hpp"
#include "window_helpers.hpp"

using namespace comet;

namespace {

// The window's own texts change at once; Qt's own at the next turn of the event loop.
void chooseLanguage(FrmMain& w, Language language) {
    control<QMenu>(w, "languageMenu")->actions().at(static_cast<int>(language))->trigger();
    QApplication::processEvents();
}

// The texts of a menu's items, separators left out, submenus by their titles.
QStringList itemsOf(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator()) texts << action->text();
    return texts;
}

QStringList menuItems(FrmMain& w, int menu) { return itemsOf(w.menuBar()->actions().at(menu)->menu()); }

QStringList toolBarItems(FrmMain& w) {
    QStringList texts;
    for (const QAction* action : control<QToolBar>(w, "debugBar")->actions())
        if (!action->text().isEmpty()) texts << action->text();
    return texts;
}

// What the window says in one language, where a learner sees it.
struct Seen {
    QStringList file, run, speed, view, toolBar;
    QString problems, console, clear, input, backTip, editorUndo;
    bool operator==(const Seen&) const = default;
};

Seen seenIn(FrmMain& w) {
    return {menuItems(w, 0),
            menuItems(w, 1),
            itemsOf(control<QMenu>(w, "speedMenu")),
            menuItems(w, 2),
            toolBarItems(w),
            control<QDockWidget>(w, "problemDock")->windowTitle(),
            control<QDockWidget>(w, "consoleDock")->windowTitle(),
            control<QPushButton>(w, "consoleClear")->text(),
            control<QLabel>(w, "consoleInputLabel")->text(),
            control<QToolBar>(w, "debugBar")->actions().at(1)->toolTip(),
            std::unique_ptr<QMenu>(editorOf(w)->createStandardContextMenu())->actions().at(0)->text()};
}

const Seen kEnglish{
    {"&New", "&Open\u2026", "Recent &files", "&Save", "Save &As\u2026", "&Quit"},
    {"&ASM", "&Exec", "&Back", "Run to &cursor", "Switch &mode", "Toggle break&point", "&Reset", "&Speed",
     "Check against &cases\u2026", "Stop the run"},
    {"&Full speed", "&1 instruction a second", "&5 instructions a second", "&20 instructions a second",
     "&100 instructions a second"},
    {"Zoom &in", "Zoom &out", "&Reset zoom", "Output &console", "&Language"},
    {"&Back", "Run to &cursor", "&Reset", "&Speed"},
    "Problems",
    "Output console",
    "C&lear",
    "&Input:",
    "Undo the last executed instruction (Shift+F5)",
    "&Undo\tCtrl+Z"};

const Seen kJapanese{
    {"新規(&N)", "開く(&O)\u2026", "最近使ったファイル(&F)", "保存(&S)", "名前を付けて保存(&A)\u2026", "終了(&Q)"},
    {"ASM(&A)", "Exec(&E)", "1 ステップ戻る(&B)", "カーソルの行まで実行(&C)", "モードの切り替え(&M)",
     "ブレークポイントの設定/解除(&P)", "リセット(&R)", "速度(&S)", "ケースで確かめる(&K)\u2026", "実行を止める"},
    {"全速(&F)", "毎秒 &1 命令", "毎秒 &5 命令", "毎秒 &20 命令", "毎秒 &100 命令"},
    {"拡大(&I)", "縮小(&O)", "拡大率を元に戻す(&R)", "出力コンソール(&C)", "言語(&L)"},
    {"1 ステップ戻る(&B)", "カーソルの行まで実行(&C)", "リセット(&R)", "速度(&S)"},
    "問題",
    "出力コンソール",
    "消去(&L)",
    "入力(&I):",
    "最後に実行した命令を取り消します (Shift+F5)",
    "元に戻す(&U)\tCtrl+Z"};

QString accessibleName(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name); }

const QString kReadProgram = QStringLiteral("      LD    GR1,A,GR2\n      RET\nA     DC    #0700\n");

// The tooltip shown now, or nothing.
QString shownTip() { return QToolTip::isVisible() ? QToolTip::text() : QString(); }

// The tooltip shown now as a picture of its own, when screenshots are asked for.
bool saveShownTip(const QString& name) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->inherits("QTipLabel") && top->isVisible()) return saveShot(*top, qPrintable(name));
    return false;
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void init() { setLanguage(Language::English); }
    void menusBarsAndDocksFollowTheLanguage();
    void keysWorkInJapanese();
    void theSaveQuestionAsksInJapanese();
    void theSelfCheckDialogIsInJapanese();
    void aLineMadeCurrentByKeyboardTellsItsReading_data();
    void aLineMadeCurrentByKeyboardTellsItsReading();
    void aRegisterBoxReachedByKeyboardTellsItsReading();
};

// Each text is drawn anew at once, both ways; the design's own stay as they are.
void LanguageTest::menusBarsAndDocksFollowTheLanguage() {
    ShownWindow w;
    QCOMPARE(seenIn(w), kEnglish);
    chooseLanguage(w, Language::Japanese);
    QCOMPARE(seenIn(w), kJapanese);
    QCOMPARE(accessibleName(control<QWidget>(w, "List2")), QStringLiteral("メモリダンプ"));
    QCOMPARE(control<QPushButton>(w, "Command1")->text(), QStringLiteral("ASM"));
    QCOMPARE(control<QPushButton>(w, "Command3")->text(), QStringLiteral("操作説明"));
    QVERIFY(control<QPushButton>(w, "Command1")->toolTip().startsWith(QStringLiteral("プログラムをアセンブルします (")));
    chooseLanguage(w, Language::English);
    QCOMPARE(seenIn(w), kEnglish);
    QCOMPARE(accessibleName(control<QWidget>(w, "List2")), QStringLiteral("Memory dump"));
}

// The keys of the commands and the letters of the menus are the same in both languages.
void LanguageTest::keysWorkInJapanese() {
    ActiveWindow w;
    chooseLanguage(w, Language::Japanese);
    QTest::keyClick(&w, Qt::Key_F6);
    QCOMPARE(control<QLabel>(w, "Label3")->text(), QStringLiteral("Run Mode"));
    QCOMPARE(QKeySequence::mnemonic(w.menuBar()->actions().at(0)->text()), QKeySequence(Qt::ALT | Qt::Key_F));
    // Every item of a menu has a letter, and no two items share one; Stop has Esc only, as
    // a run lets no other key through.
    for (const QAction* bar : w.menuBar()->actions()) {
        QSet<QKeySequence> letters;
        qsizetype items = 0;
        for (const QAction* item : bar->menu()->actions()) {
            if (item->isSeparator() || item->objectName() == QLatin1String("stopRun")) continue;
            QVERIFY2(!QKeySequence::mnemonic(item->text()).isEmpty(), qPrintable(item->text()));
            letters.insert(QKeySequence::mnemonic(item->text()));
            ++items;
        }
        QCOMPARE(letters.size(), items);
    }
    chooseLanguage(w, Language::English);
}

void LanguageTest::theSaveQuestionAsksInJapanese() {
    ActiveWindow w;
    chooseLanguage(w, Language::Japanese);
    typeSource(w, QStringLiteral("X"));
    QStringList buttons;
    QString asked;
    whenFound([] { return modalNamed("saveChanges"); }, [&](QWidget* found) {
        auto* question = qobject_cast<QMessageBox*>(found);
        asked = question->text();
        for (QAbstractButton* b : question->buttons()) buttons << b->text();
        question->button(QMessageBox::Cancel)->click();
    });
    w.newDocument();
    buttons.sort();
    QCOMPARE(asked, QStringLiteral("無題 の変更を保存しますか？保存しないと変更は失われます。"));
    QCOMPARE(buttons, (QStringList{"キャンセル(&C)", "保存(&S)", "破棄(&D)"}));
    chooseLanguage(w, Language::English);
}

// The dialog's own texts; the results in it are grading's.
void LanguageTest::theSelfCheckDialogIsInJapanese() {
    ShownWindow w;
    chooseLanguage(w, Language::Japanese);
    const QTemporaryDir dir;
    const QString cases = dir.filePath(QStringLiteral("cases.toml"));
    QFile file(cases);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[[case]]\nname = \"ends\"\noutput = []\n") > 0);
    file.close();
    QDialog* dialog = checkAgainstCases(&w, u"P START\n  EXIT\n  END\n", cases);
    QVERIFY(dialog != nullptr);
    auto* table = control<QTableWidget>(*dialog, "selfCheckTable");
    QStringList headings;
    for (int column = 0; column < table->columnCount(); ++column) headings << table->horizontalHeaderItem(column)->text();
    QCOMPARE(headings, (QStringList{"ケース", "結果", "理由"}));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("ケースで確かめる"));
    QCOMPARE(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close)->text(), QStringLiteral("閉じる"));
    dialog->close();
    chooseLanguage(w, Language::English);
}

void LanguageTest::aLineMadeCurrentByKeyboardTellsItsReading_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("reading");
    QTest::newRow("listing") << "List1" << "Line 2:       RET\nInstruction RET\nHexadecimal 0700\n";
    QTest::newRow("dump") << "List2" << "Line 1:       LD    GR1,A,GR2\nHexadecimal 0003\n";
}

// Down from the first line: the second tells its reading beside it and to assistive technology.
void LanguageTest::aLineMadeCurrentByKeyboardTellsItsReading() {
    QFETCH(QString, list);
    QFETCH(QString, reading);
    ActiveWindow w;
    assemble(w, kReadProgram);
    auto* lines = control<QListWidget>(w, list.toLatin1().constData());
    lines->setCurrentRow(0);
    lines->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(lines->hasFocus());
    QTest::keyClick(lines, Qt::Key_Down);
    QCOMPARE(lines->currentRow(), 1);
    QVERIFY2(shownTip().startsWith(reading), qPrintable(shownTip()));
    QCOMPARE(lines->currentItem()->data(Qt::AccessibleDescriptionRole).toString(), shownTip());
    QVERIFY(saveShot(w, qPrintable(list + QStringLiteral("-keyboard.png"))));
    QVERIFY(saveShownTip(list + QStringLiteral("-keyboard-tip.png")));
}

void LanguageTest::aRegisterBoxReachedByKeyboardTellsItsReading() {
    ActiveWindow w;
    assemble(w, kReadProgram);
    QLineEdit* pc = box(w, kPcBox);
    pc->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(pc->hasFocus());
    QTRY_VERIFY2(shownTip().startsWith(QStringLiteral("Hexadecimal 0000\n")), qPrintable(shownTip()));
    QCOMPARE(QAccessible::queryAccessibleInterface(pc)->text(QAccessible::Description), shownTip());
    QVERIFY(saveShownTip(QStringLiteral("pc-keyboard-tip.png")));
}

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
