#include "qt/fonts.hpp"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

#include "workbench/editor_text.hpp"

namespace comet {

namespace {
constexpr int kFixedPointSize = 10;
}

qreal tabStopDistance(const QFont& font) {
    return kTabColumns * QFontMetricsF(font).horizontalAdvance(QLatin1Char(' '));
}

QFont fixedJapaneseFont() {
    const QStringList installed = QFontDatabase::families();
    QStringList families;
    for (const char* family : {"DejaVu Sans Mono", "Noto Sans Mono CJK JP", "IPAGothic"}) {
        if (installed.contains(QLatin1String(family))) families << QLatin1String(family);
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(kFixedPointSize);
    if (families.isEmpty()) return font;
    font.setFamilies(families);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QFont scaled(QFont font, int percent) {
    if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * percent / 100);
    else font.setPixelSize(font.pixelSize() * percent / 100);
    return font;
}

}  // namespace comet
