// A JSON text written front to back, for the state the page draws: objects and
// arrays nest, and the commas come by themselves.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "machine/charset.hpp"

namespace comet {

class JsonWriter {
public:
    // ---- Structure ----
    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    void key(std::string_view name);  // the next value is this member of the open object

    // ---- Values ----
    void value(const Text& text);  // a string; lone surrogates stay what they are
    void value(int64_t number);
    void value(bool flag);

    const std::string& text() const { return out_; }

private:
    void separate();  // a comma before every value but the first of its object or array
    void open(char bracket);   // an object or an array begins
    void close(char bracket);  // ... and ends

    std::string out_;
    bool first_ = true;
    bool afterKey_ = false;
};

}  // namespace comet
