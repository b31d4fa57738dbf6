// The workbench's fixed-pitch font with Japanese glyphs, and fonts as zoom scales them.
#pragma once

#include <QFont>

namespace comet {

// The font of the editor, both lists, the chooser, the register boxes and the viewer, so
// that fixed-column texts line up. ASCII comes from "DejaVu Sans Mono", whose 0 and O,
// 1, l and I differ at a glance ("GR0" is not "GRO"); the characters it lacks (Japanese)
// come from "Noto Sans Mono CJK JP", twice as wide, or else "IPAGothic". Qt reports no
// Japanese font as fixed-pitch, so the faces are chosen by family name; with none of
// them installed the system's fixed font is used.
QFont fixedJapaneseFont();

// The font at `percent` of its size, as the window's zoom scales its texts.
QFont scaled(QFont font, int percent);

// Tab stops every eight columns of a font: wide enough for every column of the help table.
qreal tabStopDistance(const QFont& font);

}  // namespace comet
