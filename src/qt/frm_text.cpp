#include "qt/frm_text.hpp"

#include <QAction>
#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

#include "qt/fonts.hpp"
#include "qt/program_icon.hpp"
#include "qt/qt_text.hpp"
#include "workbench/editor_text.hpp"
#include "workbench/workbench.hpp"

namespace comet {

namespace {

constexpr int kBoxMargin = 120;  // twips from the left and top of the client area
// The logic fits the text box to the outer size less 250 twips across and 600 down:
// the box's 120-twip offset, a 130-twip margin at the right and at the bottom, and a
// 350-twip caption bar. The window system draws any frame outside this window, so the
// viewer counts that caption band above its client area itself: the margins at the
// right and at the bottom then stay equal, whatever frame is drawn around them.
constexpr int kCaptionBand = 350;
// The first size: as wide and high as the main window's design, so that the help
// table is seen whole; the logic fits the text box to whatever size the user gives.
constexpr int kStartWidth = kMainDesignWidth;
constexpr int kStartHeight = kMainDesignHeight;

}  // namespace

FrmText::FrmText(const QFont& font, std::function<void(int, int)> resized, std::function<void()> closed)
    : text1_(new QPlainTextEdit(this)), resized_(std::move(resized)), closed_(std::move(closed)) {
    setObjectName(QStringLiteral("frmText"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(programIcon());
    auto* closeOnEsc = new QAction(this);  // as any viewer closes
    closeOnEsc->setShortcut(Qt::Key_Escape);
    connect(closeOnEsc, &QAction::triggered, this, &QWidget::close);
    addAction(closeOnEsc);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setReadOnly(true);
    // The keys move through the text as in any viewer: Ctrl+Home, Ctrl+End, the arrows.
    text1_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTextFont(font);
    text1_->move(pixelsFromTwips(kBoxMargin, dpi()), pixelsFromTwips(kBoxMargin, dpi()));
    resize(pixelsFromTwips(kStartWidth, dpi()), pixelsFromTwips(kStartHeight, dpi()));
}

int FrmText::dpi() const { return logicalDpiX(); }

void FrmText::mirror(const Viewer& viewer) {
    const QString caption = toQString(viewer.caption);
    if (windowTitle() != caption) setWindowTitle(caption);
    if (viewer.text != shownText_) {
        text1_->setPlainText(toQString(widgetTextOf(viewer.text)));
        shownText_ = viewer.text;
    }
    const QSize box(pixelsFromTwips(viewer.boxWidth, dpi()), pixelsFromTwips(viewer.boxHeight, dpi()));
    if (text1_->size() != box) text1_->resize(box);
}

void FrmText::setTextFont(const QFont& font) {
    text1_->setFont(font);
    text1_->setTabStopDistance(tabStopDistance(font));
}

void FrmText::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    resized_(twipsFromPixels(width(), dpi()), twipsFromPixels(height(), dpi()) + kCaptionBand);
}

void FrmText::showFrom(bool end) {
    QTextCursor cursor = text1_->textCursor();
    cursor.movePosition(end ? QTextCursor::End : QTextCursor::Start);
    text1_->setTextCursor(cursor);
    text1_->ensureCursorVisible();
    if (end) text1_->verticalScrollBar()->setValue(text1_->verticalScrollBar()->maximum());
}

void FrmText::closeEvent(QCloseEvent* event) {
    closed_();
    event->accept();
}

}  // namespace comet
