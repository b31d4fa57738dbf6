// The source editor's text as the logic keeps it and as the text widget holds it.
//
// The logic's text separates lines with CR LF and counts that pair as two characters;
// the widget keeps one paragraph separator per line break (a lone CR or LF is a line
// break for it too) and counts it as one position. These conversions keep the two
// in step, so that a selection the logic sets is the one the user sees and back.
#pragma once

#include <cstdint>
#include <vector>

#include "machine/charset.hpp"

namespace comet {

constexpr char16_t kParagraphSeparator = u'\u2029';  // the widget's line break
constexpr int kTabColumns = 8;                       // the editor's tab stops, in columns

// The widget's form of a logic text: every CR LF, lone CR and lone LF becomes one separator.
Text widgetTextOf(TextView logic);

// The logic's form of the widget's text: every separator becomes CR LF.
Text logicTextOf(TextView widget);

// The widget position of an offset into the logic's text; an offset between CR and LF
// stands before that line break.
int32_t widgetPosOf(TextView logic, int32_t offset);

// The offset into the logic's text of a widget position.
int32_t logicOffsetOf(TextView logic, int32_t pos);

// Where the editor's lines begin in the logic's text: at 0 and after every line break.
std::vector<int32_t> lineStarts(TextView logic);

// Where line i (0-based) of the logic's text ends, before its line break.
int32_t lineContentEnd(TextView logic, const std::vector<int32_t>& starts, size_t i);

}  // namespace comet
