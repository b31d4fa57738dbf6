// The workbench's fixed-pitch font with Japanese glyphs.
#pragma once

#include <QFont>

namespace comet {

// The font of the editor, both lists, the chooser, the register boxes and the viewer, so
// that fixed-column texts line up. Qt reports no Japanese font as fixed-pitch, so the
// font is chosen by family name: "Noto Sans Mono CJK JP", then "IPAGothic", then the
// system's fixed font.
QFont fixedJapaneseFont();

// Tab stops every eight columns of a font: wide enough for every column of the help table.
qreal tabStopDistance(const QFont& font);

}  // namespace comet
