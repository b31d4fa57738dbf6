#include "web/json_writer.hpp"

#include <cstdio>

namespace comet {
namespace {

bool isSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Characters JSON cannot hold as they are, and halves of characters that UTF-8
// cannot hold at all, go in as \uXXXX.
bool needsEscape(char16_t c) { return c < 0x20 || c == u'"' || c == u'\\' || isSurrogate(c); }

void appendEscape(std::string& out, char16_t c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
    out += buf;
}

}  // namespace

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_) out_ += ',';
    first_ = false;
}

void JsonWriter::open(char bracket) {
    separate();
    out_ += bracket;
    first_ = true;
}

void JsonWriter::close(char bracket) {
    out_ += bracket;
    first_ = false;
}

void JsonWriter::key(std::string_view name) {
    separate();
    out_ += '"';
    out_ += name;
    out_ += "\":";
    afterKey_ = true;
}

void JsonWriter::value(const Text& text) {
    separate();
    out_ += '"';
    size_t run = 0;  // start of the characters not yet written
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !needsEscape(text[i])) continue;
        out_ += toUtf8(text.substr(run, i - run));
        if (i < text.size()) appendEscape(out_, text[i]);
        run = i + 1;
    }
    out_ += '"';
}

void JsonWriter::value(int64_t number) {
    separate();
    out_ += std::to_string(number);
}

void JsonWriter::value(bool flag) {
    separate();
    out_ += flag ? "true" : "false";
}

}  // namespace comet
