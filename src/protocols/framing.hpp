// The framing both editor protocols share: each message a header block ("Content-Length:
// N", other fields ignored, a blank line) and N bytes of JSON. The reader is bounded in
// what it keeps, whatever the bytes: a header line, the header block and a body each
// have a limit, and a message past them is skipped and told of, never kept whole.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace comet {

constexpr size_t kHeaderLineLimit = 1024;      // bytes of one header line
constexpr size_t kHeaderFieldLimit = 32;       // lines of one header block
constexpr size_t kBodyLimit = size_t{4} << 20;  // bytes of one message's JSON
constexpr int kNestingLimit = 64;              // arrays and objects inside each other

class MessageReader {
public:
    explicit MessageReader(std::istream& in) : in_(in) {}

    struct Read {
        enum Status { Message, Malformed, End } status;
        std::string body;     // Message: the JSON text
        std::string problem;  // Malformed: what was wrong with the header or the length
    };
    // The next message; End once the stream has ended (a message cut short included).
    Read next();

private:
    std::istream& in_;

    enum class Line { Read, TooLong, End };
    Line readHeaderLine(std::string& line);
    bool skip(size_t bytes);  // false when the stream ends first
};

// The JSON of a message body: nothing when it is not JSON, or nests deeper than
// kNestingLimit (which a protocol's messages never do).
std::optional<nlohmann::json> parsedBody(const std::string& body);

// Writes one message with its header.
void writeMessage(std::ostream& out, const nlohmann::json& message);

}  // namespace comet
