#include "protocols/framing.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <istream>
#include <ostream>

namespace comet {
namespace {

constexpr std::string_view kLengthField = "content-length:";

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool startsWithField(const std::string& line, std::string_view field) {
    return line.size() >= field.size() &&
           std::equal(field.begin(), field.end(), line.begin(), [](char f, char c) { return f == lower(c); });
}

// The value of a Content-Length line: digits between optional blanks.
std::optional<size_t> lengthValue(std::string_view value) {
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
    size_t n = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (value.empty() || error != std::errc() || end != value.data() + value.size()) return std::nullopt;
    return n;
}

// Whether arrays and objects nest deeper than the limit anywhere in the text.
bool nestsTooDeep(const std::string& text) {
    int depth = 0;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') ++i;
            else if (c == '"') inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kNestingLimit) return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

}  // namespace

MessageReader::Line MessageReader::readHeaderLine(std::string& line) {
    line.clear();
    bool tooLong = false;
    for (int c = in_.get(); c != std::char_traits<char>::eof(); c = in_.get()) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return tooLong ? Line::TooLong : Line::Read;
        }
        if (line.size() < kHeaderLineLimit) line += static_cast<char>(c);
        else tooLong = true;
    }
    return Line::End;
}

bool MessageReader::skip(size_t bytes) {
    std::array<char, 4096> chunk;
    while (bytes > 0) {
        const auto n = static_cast<std::streamsize>(std::min(bytes, chunk.size()));
        in_.read(chunk.data(), n);
        if (in_.gcount() != n) return false;
        bytes -= static_cast<size_t>(n);
    }
    return true;
}

MessageReader::Read MessageReader::next() {
    std::string line;
    std::optional<size_t> length;
    std::string problem;
    size_t fields = 0;
    while (true) {
        const Line read = readHeaderLine(line);
        if (read == Line::End) return {Read::End, {}, {}};
        if (read == Line::TooLong) problem = "a header line longer than " + std::to_string(kHeaderLineLimit) + " bytes";
        if (read == Line::Read && line.empty()) {
            if (fields == 0) continue;  // blank lines between messages
            break;
        }
        if (++fields > kHeaderFieldLimit) problem = "more than " + std::to_string(kHeaderFieldLimit) + " header lines";
        if (read == Line::Read && startsWithField(line, kLengthField)) {
            length = lengthValue(std::string_view(line).substr(kLengthField.size()));
            if (!length) problem = "a Content-Length that is no whole number";
        }
    }
    if (problem.empty() && !length) problem = "a message without Content-Length";
    if (!problem.empty()) return {Read::Malformed, {}, problem};
    if (*length > kBodyLimit) {
        if (!skip(*length)) return {Read::End, {}, {}};
        return {Read::Malformed, {}, "a message of " + std::to_string(*length) + " bytes, more than the " +
                                         std::to_string(kBodyLimit) + " a message may have"};
    }
    std::string body(*length, '\0');
    in_.read(body.data(), static_cast<std::streamsize>(body.size()));
    if (static_cast<size_t>(in_.gcount()) != body.size()) return {Read::End, {}, {}};
    return {Read::Message, std::move(body), {}};
}

std::optional<nlohmann::json> parsedBody(const std::string& body) {
    if (nestsTooDeep(body)) return std::nullopt;
    nlohmann::json json = nlohmann::json::parse(body, nullptr, false);
    if (json.is_discarded()) return std::nullopt;
    return json;
}

void writeMessage(std::ostream& out, const nlohmann::json& message) {
    const std::string body = message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
    out.flush();
}

}  // namespace comet
