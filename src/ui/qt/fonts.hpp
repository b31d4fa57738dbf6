// The workbench's fixed-pitch font with Japanese glyphs.
#pragma once

#include <QFont>

namespace comet {

// The font of the editor, both lists, the chooser, the register boxes and the viewer, so
// that fixed-column texts line up. Qt reports no Japanese font as fixed-pitch, so the
// font is chosen by family name: "Noto Sans Mono CJK JP", then "IPAGothic", then the
// system's fixed font.
QFont fixedJapaneseFont();

}  // namespace comet
