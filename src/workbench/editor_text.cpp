#include "workbench/editor_text.hpp"

#include <algorithm>

namespace comet {

namespace {

// Length in the logic's text of the line break at i: 2 for CR LF, 1 for a lone CR or LF, 0 for none.
size_t breakLengthAt(TextView text, size_t i) {
    if (text[i] == u'\r') return i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
    return text[i] == u'\n' ? 1 : 0;
}

}  // namespace

Text widgetTextOf(TextView logic) {
    Text widget;
    widget.reserve(logic.size());
    for (size_t i = 0; i < logic.size(); ++i) {
        const size_t breakLength = breakLengthAt(logic, i);
        if (breakLength == 0) {
            widget.push_back(logic[i]);
            continue;
        }
        widget.push_back(kParagraphSeparator);
        i += breakLength - 1;
    }
    return widget;
}

Text logicTextOf(TextView widget) {
    Text logic;
    logic.reserve(widget.size() + widget.size() / 16);
    for (const char16_t c : widget) {
        if (c == kParagraphSeparator) {
            logic += u"\r\n";
        } else {
            logic.push_back(c);
        }
    }
    return logic;
}

int32_t widgetPosOf(TextView logic, int32_t offset) {
    const size_t end = std::min(static_cast<size_t>(std::max(offset, 0)), logic.size());
    int32_t pos = 0;
    for (size_t i = 0; i < end; ++pos) {
        const size_t step = std::max<size_t>(breakLengthAt(logic, i), 1);
        if (i + step > end) break;
        i += step;
    }
    return pos;
}

std::vector<int32_t> lineStarts(TextView logic) {
    std::vector<int32_t> starts{0};
    for (size_t i = 0; i < logic.size(); ++i) {
        const size_t breakLength = breakLengthAt(logic, i);
        if (breakLength == 0) continue;
        i += breakLength - 1;
        starts.push_back(static_cast<int32_t>(i + 1));
    }
    return starts;
}

int32_t lineContentEnd(TextView logic, const std::vector<int32_t>& starts, size_t i) {
    if (i + 1 >= starts.size()) return static_cast<int32_t>(logic.size());
    const auto next = static_cast<size_t>(starts[i + 1]);
    const bool crlf = next >= 2 && logic[next - 2] == u'\r' && logic[next - 1] == u'\n';
    return static_cast<int32_t>(next) - (crlf ? 2 : 1);
}

int32_t logicOffsetOf(TextView logic, int32_t pos) {
    size_t i = 0;
    for (int32_t p = 0; p < pos && i < logic.size(); ++p) i += std::max<size_t>(breakLengthAt(logic, i), 1);
    return static_cast<int32_t>(i);
}

}  // namespace comet
