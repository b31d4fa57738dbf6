// The editor's syntax colours for the page: the spans the assembler's lexer reads in
// the lines the editor shows, as the desktop editor colours them.
#include <emscripten.h>

#include <algorithm>
#include <string>

#include "assembler/colouring.hpp"

extern "C" {

// The spans of `text` (whole editor lines joined by "\n") as a JSON array of numbers,
// three per span: begin and end (UTF-16 positions in the text) and the kind (0 label,
// 1 mnemonic, 2 register, 3 number, 4 string, 5 comment).
EMSCRIPTEN_KEEPALIVE const char* web_colour_lines(const char* text) {
    static std::string json;
    const comet::Text all = comet::fromUtf8(text);
    const comet::TextView view(all);
    json = "[";
    size_t lineStart = 0;
    while (lineStart <= view.size()) {
        const size_t lineEnd = std::min(view.find(u'\n', lineStart), view.size());
        for (const comet::ColouredSpan& s : comet::colouredSpans(view.substr(lineStart, lineEnd - lineStart))) {
            if (json.size() > 1) json += ',';
            json += std::to_string(lineStart + static_cast<size_t>(s.begin)) + ',' +
                    std::to_string(lineStart + static_cast<size_t>(s.end)) + ',' +
                    std::to_string(static_cast<int>(s.kind));
        }
        lineStart = lineEnd + 1;
    }
    json += ']';
    return json.c_str();
}

}  // extern "C"
