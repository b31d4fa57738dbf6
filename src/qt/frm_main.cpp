#include "qt/frm_main.hpp"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "emulator/engine.hpp"
#include "workbench/lists.hpp"
#include "session/debugging.hpp"
#include "session/exec_status.hpp"
#include "session/mainwindow.hpp"
#include "session/problems.hpp"
#include "session/readings.hpp"
#include "qt/accessible_names.hpp"
#include "workbench/values.hpp"
#include "qt/boxes.hpp"
#include "qt/breakpoint_marks.hpp"
#include "qt/clickable_label.hpp"
#include "qt/console_pane.hpp"
#include "workbench/editor_text.hpp"
#include "qt/fonts.hpp"
#include "qt/frm_text.hpp"
#include "qt/line_gutter.hpp"
#include "qt/program_icon.hpp"
#include "qt/qt_text.hpp"
#include "qt/source_editor.hpp"
#include "session/reports.hpp"
#include "session/source_lines.hpp"
#include "session/view.hpp"
#include "session/actions.hpp"

namespace comet {

namespace {

// ---- Design (twips) ----
constexpr int kPanel = 3;                               // the right-hand column
constexpr std::array<int, 3> kColumnX{120, 4335, 6975};  // Text1, List1, List2
constexpr std::array<int, 3> kColumnWidth{4095, 2520, 2040};
constexpr int kPanelX = 9135;
constexpr int kPanelWidth = 2520;
constexpr int kTopY = 120;      // report buttons, chooser, ASM and Exec
constexpr int kButtonHeight = 375;
constexpr int kCaptionY = 600;  // column captions
constexpr int kCaptionHeight = 240;
constexpr int kColumnY = 840;   // the three tall columns
constexpr int kColumnHeight = 5595;
constexpr int kRowHeight = 330;     // register rows
constexpr int kRowLabelWidth = 1080;
constexpr int kBoxX = 1200;         // register boxes, from the panel's left edge
constexpr int kBoxWidth = 1200;
constexpr int kFrameY = 1920;
constexpr int kFrameHeight = 4515;
constexpr std::array<int, kBoxCount - 1> kFrameRowY{360, 960, 1560, 2160, 2760, 3960};  // GR0..GR4, FR
constexpr int kFrameLabelX = 120;
// A window narrower than the design takes the width from the three columns, down to
// three quarters of theirs, where the captions of their buttons still fit; below that
// the area scrolls. It never takes height: the register frame fills the panel.
constexpr int kColumnsWidth = kColumnWidth[0] + kColumnWidth[1] + kColumnWidth[2];
constexpr int kColumnsShrink = kColumnsWidth / 4;

const std::array<const char*, kBoxCount> kBoxLabels{"GR0", "GR1", "GR2", "GR3", "GR4(SP)", "    FR", "    PC"};

// The style marks no focus on a list: it gets a frame in the colour of a selection.
const QString kListFocusFrame = QStringLiteral("QListWidget:focus { border: 2px solid palette(highlight); }");

}  // namespace

// ---- Building ----------------------------------------------------------------------

FrmMain::FrmMain()
    : wb_(*this), monitor_(this, [this] { mirror(); }, [this] { watchTick(); }), zoomLevel_(kNormalZoom) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(toQString(kAppTitle));
    setWindowIcon(programIcon());
    setAcceptDrops(true);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("centralScroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidgetResizable(true);
    central_ = new QWidget;
    createControls();
    scroll_->setWidget(central_);
    setCentralWidget(scroll_);
    createStatusAndProblems();
    createConsole();
    createMenus();
    createDebugBar();
    wireEvents();
    monitor_.placeBoxWith([this](QSize box) { return runBoxPlace(box); });
    makeText1FirstInTabOrder();
    texts_.keep([this] { makeAccessible(this); });
    texts_.keep([this] { translateQtTexts(qtTexts_, currentLanguage()); });
    recoveryTimer_.setSingleShot(true);
    recoveryTimer_.setInterval(kRecoveryDelayMs);
    connect(&recoveryTimer_, &QTimer::timeout, this, &FrmMain::keepRecoveryCopy);
    applyZoom();
    const QSize design(pixelsFromTwips(kMainDesignWidth, logicalDpiX()), pixelsFromTwips(kMainDesignHeight, logicalDpiY()));
    resize(design.width(), design.height() + menuBar()->sizeHint().height() + debugBar_->sizeHint().height() +
                               statusBar()->sizeHint().height());
    zoomSized_ = size();
    wb_.debug.detectLoops = true;
    Form_Load(wb_);
    keptText_ = wb_.text1.text;
    mirror();
}

// The controls outlive this object's members: none of their signals may reach a handler now.
FrmMain::~FrmMain() {
    for (QObject* child : findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
    combo1_->removeEventFilter(this);
    central_->removeEventFilter(this);
    delete viewer_.data();
}

FrmText* FrmMain::viewer() const { return viewer_; }

void FrmMain::createControls() {
    const QFont fixed = fixedJapaneseFont();
    const qreal tabWidth = tabStopDistance(fixed);

    text1_ = new SourceEditor(central_);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setFont(fixed);
    text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1_->setTabStopDistance(tabWidth);

    const auto makeList = [&](const char* name) {
        auto* list = new QListWidget(central_);
        list->setObjectName(QLatin1String(name));
        list->setFont(fixed);
        // Items of one size would all take the size of the last line: a longer line before
        // it (a block of words) would be cut, with no horizontal scroll bar to reach it.
        list->setUniformItemSizes(false);
        list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setStyleSheet(kListFocusFrame);
        return list;
    };
    list1_ = makeList("List1");
    list1_->setItemDelegate(new ListingMarks(list1_));
    list2_ = makeList("List2");

    combo1_ = new QComboBox(central_);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setFont(fixed);
    combo1_->setMaxVisibleItems(20);

    const std::array<const char*, 5> commandTexts{"ASM", "Exec", "操作説明", "オブジェクト表示", "実行履歴表示"};
    for (size_t i = 0; i < command_.size(); ++i) {
        command_[i] = new QPushButton(QString::fromUtf8(commandTexts[i]), central_);
        command_[i]->setObjectName(QStringLiteral("Command%1").arg(i + 1));
    }

    label3_ = new ClickableLabel(central_);
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setAlignment(Qt::AlignCenter);
    label3_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    label3_->setCursor(Qt::PointingHandCursor);
    label6_ = new QLabel(central_);
    label6_->setObjectName(QStringLiteral("Label6"));

    for (int k = 0; k < kBoxCount; ++k) {
        txtGR_[k] = new QLineEdit(central_);
        txtGR_[k]->setObjectName(QStringLiteral("txtGR%1").arg(k));
        txtGR_[k]->setFont(fixed);
    }
    boxPalette_ = txtGR_[0]->palette();
    createRegisterFrame();

    const auto caption = [&](const char* text) { return new QLabel(QLatin1String(text), central_); };
    placements_ = {
        {command_[2], kColumnX[0], kTopY, 1215, kButtonHeight, 0, false, false},
        {combo1_, 1455, kTopY, 2760, kButtonHeight, 0, true, false},
        {command_[3], kColumnX[1], kTopY, 2040, kButtonHeight, 1, false, false},
        {command_[4], kColumnX[2], kTopY, 2040, kButtonHeight, 2, false, false},
        {command_[0], kPanelX, kTopY, 1200, kButtonHeight, kPanel, false, false},
        {command_[1], kPanelX + 1320, kTopY, 1200, kButtonHeight, kPanel, false, false},
        {caption("Souce Program"), kColumnX[0], kCaptionY, kColumnWidth[0], kCaptionHeight, 0, true, false},
        {caption("Object Program"), kColumnX[1], kCaptionY, kColumnWidth[1], kCaptionHeight, 1, true, false},
        {caption("Memory Dump"), kColumnX[2], kCaptionY, kColumnWidth[2], kCaptionHeight, 2, true, false},
        {text1_, kColumnX[0], kColumnY, kColumnWidth[0], kColumnHeight, 0, true, true},
        {list1_, kColumnX[1], kColumnY, kColumnWidth[1], kColumnHeight, 1, true, true},
        {list2_, kColumnX[2], kColumnY, kColumnWidth[2], kColumnHeight, 2, true, true},
        {label3_, kPanelX, 600, kPanelWidth, 360, kPanel, false, false},
        {label6_, kPanelX, 1020, kPanelWidth, kRowHeight, kPanel, false, false},
        {new QLabel(QLatin1String(kBoxLabels[kPcBox]), central_), kPanelX, 1440, kRowLabelWidth, kRowHeight, kPanel, false, false},
        {txtGR_[kPcBox], kPanelX + kBoxX, 1440, kBoxWidth, kRowHeight, kPanel, false, false},
        {frame_, kPanelX, kFrameY, kPanelWidth, kFrameHeight, kPanel, false, false},
    };
}

// The frame "Register" holds GR0..GR4 from the top and FR at the bottom.
void FrmMain::createRegisterFrame() {
    frame_ = new QGroupBox(QStringLiteral("Register"), central_);
    for (int k = 0; k < kBoxCount - 1; ++k) {
        frameLabels_[k] = new QLabel(QLatin1String(kBoxLabels[k]), frame_);
        txtGR_[k]->setParent(frame_);
    }
}

// The status bar's count of problems shows and hides the list; the fix for tabs is in
// the list and in the editor's context menu.
void FrmMain::createStatusAndProblems() {
    runStatus_ = new QLabel(this);
    runStatus_->setObjectName(QStringLiteral("runStatus"));
    statusBar()->addWidget(runStatus_, 1);
    problemCount_ = new QToolButton(this);
    problemCount_->setObjectName(QStringLiteral("problemCount"));
    problemCount_->setAutoRaise(true);
    texts_.tip(problemCount_, Msg::TipProblemCount);
    statusBar()->addPermanentWidget(problemCount_);
    undoLimit_ = new QLabel(this);
    undoLimit_->setObjectName(QStringLiteral("undoLimit"));
    texts_.tip(undoLimit_, Msg::TipUndoLimit);
    statusBar()->addPermanentWidget(undoLimit_);

    replaceTabs_ = new QAction(this);
    texts_.text(replaceTabs_, Msg::ItemReplaceTabs);
    replaceTabs_->setObjectName(QStringLiteral("replaceTabs"));
    text1_->addContextAction(replaceTabs_);
    problemList_ = new QListWidget;
    problemList_->setObjectName(QStringLiteral("problemList"));
    auto* fix = new QToolButton;
    fix->setDefaultAction(replaceTabs_);
    fix->setFocusPolicy(Qt::NoFocus);  // the keyboard has it in the editor's context menu
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(problemList_);
    layout->addWidget(fix, 0, Qt::AlignLeft);
    problemDock_ = new QDockWidget(this);
    texts_.title(problemDock_, Msg::TitleProblems);
    problemDock_->setObjectName(QStringLiteral("problemDock"));
    problemDock_->setWidget(panel);
    addDockWidget(Qt::BottomDockWidgetArea, problemDock_);
    problemDock_->hide();
}

void FrmMain::wireEvents() {
    const std::array<std::function<void()>, 5> commands{
        [this] { Command1_Click(wb_); }, [this] { press(false); }, [this] { Command3_Click(wb_); },
        [this] { Command4_Click(wb_); }, [this] { Command5_Click(wb_); }};
    for (size_t i = 0; i < command_.size(); ++i) {
        connect(command_[i], &QPushButton::clicked, this, [this, handler = commands[i]] { deliver(handler); });
    }
    connect(label3_, &ClickableLabel::clicked, this, [this] { deliver([&] { Label3_Click(wb_); }); });
    for (int k = 0; k < kBoxCount; ++k) {
        connect(txtGR_[k], &QLineEdit::textEdited, this, [this, k](const QString& text) {
            deliver([&] { userEditsBox(wb_, k, toText(text)); });
        });
    }
    connect(combo1_, &QComboBox::activated, this, [this](int index) {
        deliver([&] { userChoosesItem(wb_, index); });
    });
    combo1_->installEventFilter(this);
    central_->installEventFilter(this);
    list1_->viewport()->installEventFilter(this);
    list2_->viewport()->installEventFilter(this);
    for (QWidget* reads : std::initializer_list<QWidget*>{list1_, list2_}) reads->installEventFilter(this);
    for (QLineEdit* box : txtGR_) box->installEventFilter(this);
    for (const auto signal : {&QPlainTextEdit::textChanged, &QPlainTextEdit::cursorPositionChanged,
                              &QPlainTextEdit::selectionChanged}) {
        connect(text1_, signal, this, [this] { deliver([&] { editorChanged(); }); });
    }
    connect(text1_, &SourceEditor::filesDropped, this, [this](const QStringList& paths) { openFile(paths.front()); });
    const auto listingClicked = [this](int row) { deliver([&] { userClicksListing(wb_, row); }); };
    connect(list1_, &QListWidget::currentRowChanged, this, listingClicked);
    connect(list1_, &QListWidget::itemClicked, this, [this, listingClicked](QListWidgetItem* item) { listingClicked(list1_->row(item)); });
    for (QListWidget* list : {list1_, list2_})
        connect(list, &QListWidget::currentRowChanged, this, [this, list] { showReadingOfCurrentRow(list); });
    connect(list1_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        deliver([&] { userTogglesListingBreakpoint(wb_, list1_->row(item)); });
    });
    connect(text1_->gutter(), &LineGutter::lineClicked, this, [this](int line) {
        deliver([&] { userTogglesBreakpoint(wb_, line); });
    });
    connect(&watchTimer_, &QTimer::timeout, this, &FrmMain::watchTick);
    connect(problemList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        deliver([&] { userGoesToProblem(wb_, static_cast<size_t>(problemList_->row(item))); });
    });
    connect(replaceTabs_, &QAction::triggered, this, [this] { deliver([&] { replaceTabsByBlanks(wb_); }); });
    connect(problemCount_, &QToolButton::clicked, this, [this] { problemDock_->setVisible(!problemDock_->isVisible()); });
}

// Extra width goes to the three columns in proportion to their design widths (the
// panel moves right), extra height to the three columns; missing width is taken from
// the columns in the same proportion, and from every control in them. The design is
// scaled by the zoom.
void FrmMain::placeControls() {
    const int dpiX = logicalDpiX();
    const int dpiY = logicalDpiY();
    const int percent = zoomPercent();
    const int width = twipsFromPixels(central_->width(), dpiX) * 100 / percent;
    const int height = twipsFromPixels(central_->height(), dpiY) * 100 / percent;
    const int extraWidth = std::max(-kColumnsShrink, width - kMainDesignWidth);
    const int extraHeight = std::max(0, height - kMainDesignHeight);
    std::array<int, 4> share{};
    share[0] = extraWidth * kColumnWidth[0] / kColumnsWidth;
    share[1] = extraWidth * kColumnWidth[1] / kColumnsWidth;
    share[2] = extraWidth - share[0] - share[1];
    for (const Placement& p : placements_) {
        int shift = 0;
        for (int c = 0; c < p.column && c < 3; ++c) shift += share[c];
        int x = p.x + shift;
        int w = p.width + (p.widens ? share[p.column] : 0);
        if (p.column < kPanel && extraWidth < 0) {  // every control of a narrowed column narrows with it
            const int designWidth = kColumnWidth[p.column];
            const int narrowed = designWidth + share[p.column];
            x = kColumnX[p.column] + shift + (p.x - kColumnX[p.column]) * narrowed / designWidth;
            w = p.width * narrowed / designWidth;
        }
        const int h = p.height + (p.grows ? extraHeight : 0);
        p.widget->setGeometry(pixels(x, dpiX), pixels(p.y, dpiY), pixels(w, dpiX), pixels(h, dpiY));
    }
    placeRegisterFrame();
}

// The frame's controls keep their places in it whatever the window's size.
void FrmMain::placeRegisterFrame() {
    const int dpiX = logicalDpiX();
    const int dpiY = logicalDpiY();
    for (size_t k = 0; k < frameLabels_.size(); ++k) {
        const int y = pixels(kFrameRowY[k], dpiY);
        const int h = pixels(kRowHeight, dpiY);
        frameLabels_[k]->setGeometry(pixels(kFrameLabelX, dpiX), y, pixels(kRowLabelWidth, dpiX), h);
        txtGR_[k]->setGeometry(pixels(kBoxX, dpiX), y, pixels(kBoxWidth, dpiX), h);
    }
}

int FrmMain::pixels(int twips, int dpi) const { return pixelsFromTwips(twips * zoomPercent() / 100, dpi); }

// ---- Zoom ---------------------------------------------------------------------------

int FrmMain::zoomPercent() const { return kZoomPercents[zoomLevel_]; }

void FrmMain::zoomBy(int steps) {
    const int level = steps == 0 ? static_cast<int>(kNormalZoom) : static_cast<int>(zoomLevel_) + steps;
    zoomLevel_ = static_cast<size_t>(std::clamp(level, 0, static_cast<int>(kZoomPercents.size()) - 1));
    applyZoom();
    growToFit();
    rememberSettings();
}

void FrmMain::zoomTo(int percent) {
    const auto* level = std::find(kZoomPercents.begin(), kZoomPercents.end(), percent);
    zoomLevel_ = level == kZoomPercents.end() ? kNormalZoom : static_cast<size_t>(level - kZoomPercents.begin());
    applyZoom();
}

// Scroll bars come only once the screen has no more room. A window the user has not
// resized since takes the zoom's size, smaller too; one sized by hand only grows.
void FrmMain::growToFit() {
    layout()->activate();  // the bars around the area have taken their zoomed heights
    const QSize around = size() - scroll_->size();
    const QSize needed = QSize(pixels(kMainDesignWidth, logicalDpiX()), pixels(kMainDesignHeight, logicalDpiY())) + around;
    QSize target = size() == zoomSized_ ? needed : size().expandedTo(needed);
    if (const QScreen* screen = this->screen()) {
        target = target.boundedTo(screen->availableGeometry().size() - (frameGeometry().size() - size()));
    }
    if (target != size()) resize(target);
    zoomSized_ = target;
}

// Every text of the window, its menus, bars, docks and boxes and the viewer grows with
// the zoom, and so do the controls, in their design arrangement: a larger zoom needs a
// larger area, and the area scrolls when the window is smaller.
void FrmMain::applyZoom() {
    const int percent = zoomPercent();
    const QFont fixed = scaled(fixedJapaneseFont(), percent);
    const QFont ui = scaled(QApplication::font(), percent);
    setFont(ui);  // the menu bar, the tool bar, the status bar and the docks
    for (QMenu* menu : findChildren<QMenu*>()) menu->setFont(ui);  // windows of their own: fonts do not reach them
    central_->setFont(ui);
    for (QWidget* control : std::initializer_list<QWidget*>{text1_, list1_, list2_, combo1_}) control->setFont(fixed);
    for (QLineEdit* box : txtGR_) box->setFont(fixed);
    text1_->setTabStopDistance(tabStopDistance(fixed));
    if (viewer_) viewer_->setTextFont(fixed);
    central_->setMinimumSize(pixels(kMainDesignWidth - kColumnsShrink, logicalDpiX()), pixels(kMainDesignHeight, logicalDpiY()));
    placeControls();
}

// Closing the window during a Run Mode run stops the run; once it has ended, the user is
// asked whether to quit, and a Yes closes the window as any other close does.
// Unsaved changes are saved or given up first; a window that closes leaves no recovery copy.
void FrmMain::closeEvent(QCloseEvent* event) {
    if (monitor_.running()) {
        event->ignore();
        monitor_.stop();
        askToQuitAfterRun_ = true;
        return;
    }
    if (!askToSaveChanges()) {
        event->ignore();
        return;
    }
    recovery_.forget();
    rememberSettings();
    QMainWindow::closeEvent(event);
}

void FrmMain::runEnded() {
    watchTimer_.stop();
    monitor_.end();
    if (askToQuitAfterRun_) QMetaObject::invokeMethod(this, &FrmMain::askToQuit, Qt::QueuedConnection);
}

void FrmMain::askToQuit() {
    askToQuitAfterRun_ = false;
    QMessageBox box(QMessageBox::Question, toQString(kAppTitle), shownMessage(Msg::AskQuitAfterRun),
                    QMessageBox::Yes | QMessageBox::No, this);
    fitAndCentre(box, this);
    if (box.exec() == QMessageBox::Yes) close();
}

// ---- Events -------------------------------------------------------------------------

// A listing or dump line's reading is made when its tooltip is asked for, not at every
// refresh; the list then shows it as an item's own tooltip.
void FrmMain::readRowForTip(QListWidget* list, QEvent* event) {
    QListWidgetItem* item = list->itemAt(static_cast<QHelpEvent*>(event)->pos());
    if (item != nullptr) item->setToolTip(readingOfRow(list, list->row(item)));
}

QString FrmMain::readingOfRow(QListWidget* list, int row) const {
    return boxTextOf(list == list1_ ? listingReading(wb_, row) : dumpReading(wb_, row));
}

// The keyboard has no pointer to rest on a line: the current line tells its reading as a
// hovered one does, beside it, and to assistive technology as the line's description.
// A click leaves the tooltip to the pointer.
void FrmMain::showReadingOfCurrentRow(QListWidget* list) {
    QListWidgetItem* item = list->currentItem();
    if (item == nullptr) return;
    const QString reading = readingOfRow(list, list->row(item));
    item->setToolTip(reading);
    item->setData(Qt::AccessibleDescriptionRole, reading);
    if (!list->hasFocus() || QApplication::mouseButtons() != Qt::NoButton) return;
    QToolTip::showText(list->viewport()->mapToGlobal(list->visualItemRect(item).bottomLeft()), reading, list->viewport());
}

// A list or register box the keyboard reaches shows its reading as the pointer would. It
// is shown once the focus has moved: a tooltip hides at every change of focus.
void FrmMain::showReadingOnFocus(QObject* control) {
    if (control == list1_ || control == list2_) showReadingOfCurrentRow(static_cast<QListWidget*>(control));
    else if (auto* box = qobject_cast<QLineEdit*>(control); box != nullptr && box->hasFocus())
        QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), box->toolTip(), box);
}

// Losing the focus to a popup of its own or to another application is not a loss of
// focus within the window. The classic controls follow the size of the central area.
bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == central_ && event->type() == QEvent::Resize) placeControls();
    if (event->type() == QEvent::ToolTip && (watched == list1_->viewport() || watched == list2_->viewport()))
        readRowForTip(watched == list1_->viewport() ? list1_ : list2_, event);
    if (event->type() == QEvent::FocusIn && static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason)
        QMetaObject::invokeMethod(this, [this, watched] { showReadingOnFocus(watched); }, Qt::QueuedConnection);
    if (watched == combo1_ && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            deliver([&] { Combo1_LostFocus(wb_); });
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// A new text resets the logic's selection, so the selection follows every text change.
void FrmMain::editorChanged() {
    Text widgetText = toText(text1_->document()->toRawText());
    const bool textChanged = widgetText != shownWidgetText_;
    if (textChanged) {
        shownWidgetText_ = std::move(widgetText);
        shownSource_ = logicTextOf(shownWidgetText_);
        userSetsSource(wb_, shownSource_);
    }
    const QTextCursor cursor = text1_->textCursor();
    const int32_t start = logicOffsetOf(shownSource_, cursor.selectionStart());
    const int32_t length = logicOffsetOf(shownSource_, cursor.selectionEnd()) - start;
    if (!textChanged && start == shownSelStart_ && length == shownSelLength_) return;
    shownSelStart_ = start;
    shownSelLength_ = length;
    userSelects(wb_, start, length);
}

// ---- Debugging ----------------------------------------------------------------------

// A watched press returns at once; its timer takes the steps, and the box its Stop.
void FrmMain::press(bool toCursor) {
    if (!userBeginsPress(wb_, toCursor)) return;
    monitor_.watch();
    watchTimer_.start(1000 / wb_.debug.speed);
}

// A tick that comes while a step's box is open is dropped: the next one takes the step.
void FrmMain::watchTick() {
    if (!wb_.debug.press.active) return;
    deliver([&] {
        if (monitor_.stopAsked()) userStopsWatchedPress(wb_);
        else if (userWatchesStep(wb_)) monitor_.showSteps(wb_.debug.press.steps);
    });
}

// At the right, above the lists and their captions, over the menus, the tool bar and "ASM" and "Exec", which
// wait while it runs: the editor, the lists and the registers stay in sight.
QPoint FrmMain::runBoxPlace(QSize box) const {
    const QRect window = frameGeometry();
    const int captionsTop = list1_->mapToGlobal(QPoint(0, 0)).y() - pixels(kColumnY - kCaptionY, logicalDpiY());
    return {window.right() - box.width(), std::max(window.top(), captionsTop - box.height())};
}

void FrmMain::viewerResized(int outerWidth, int outerHeight) {
    Form_Resize(wb_, outerWidth, outerHeight);
    if (viewer_) viewer_->mirror(wb_.frmText);
}

}  // namespace comet
