#include "ui/qt/fonts.hpp"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

namespace comet {

namespace {
constexpr int kFixedPointSize = 10;
}

qreal tabStopDistance(const QFont& font) {
    constexpr int kTabColumns = 8;
    return kTabColumns * QFontMetricsF(font).horizontalAdvance(QLatin1Char(' '));
}

QFont fixedJapaneseFont() {
    const QStringList installed = QFontDatabase::families();
    for (const char* family : {"Noto Sans Mono CJK JP", "IPAGothic"}) {
        if (!installed.contains(QLatin1String(family))) continue;
        QFont font(QLatin1String(family), kFixedPointSize);
        font.setStyleHint(QFont::TypeWriter);
        return font;
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(kFixedPointSize);
    return font;
}

}  // namespace comet
