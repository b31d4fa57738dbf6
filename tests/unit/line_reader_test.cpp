// Lines of the script and of IN as careless input gives them, and the user's text as
// messages quote it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "files/escape.hpp"
#include "app/line_reader.hpp"

namespace comet {
namespace {

// Every line read, "!" for a line too long, until the end.
std::vector<std::string> linesOf(const std::string& input, size_t limit) {
    std::istringstream in(input);
    LineReader reader(in, limit);
    std::vector<std::string> lines;
    std::string line;
    for (;;) {
        const auto result = reader.next(line);
        if (result == LineReader::Result::TooLong) return {"!"};
        if (result == LineReader::Result::End) break;
        lines.push_back(line);
    }
    EXPECT_EQ(reader.next(line), LineReader::Result::End) << "the end stays the end";
    return lines;
}

TEST(LineReader, EveryLineEndAndAByteOrderMark) {
    struct Row {
        std::string input;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"a\nb\r\nc\rd", {"a", "b", "c", "d"}},
        {"\xEF\xBB\xBF" "asm\r\n", {"asm"}},
        {"x\xEF\xBB\xBF\n\xEF\xBB\xBFy", {"x\xEF\xBB\xBF", "\xEF\xBB\xBFy"}},  // a mark elsewhere is text
        {"\n\r\r\n", {"", "", ""}},
        {"", {}},
        {"abcd", {"abcd"}},
        {"abcde\n", {"!"}},
        {std::string("ab\0", 3) + "d\n", {std::string("ab\0d", 4)}},
    };
    for (const Row& r : rows) EXPECT_EQ(linesOf(r.input, 4), r.lines) << escaped(fromUtf8(r.input));
}

// A stream that holds `bytes` and then has nothing more yet, as a pipe whose writer waits.
class WaitingStream : public std::streambuf {
public:
    explicit WaitingStream(std::string bytes) : bytes_(std::move(bytes)) { setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size()); }
    bool waitedForMore = false;

protected:
    int_type underflow() override {
        waitedForMore = true;
        return traits_type::eof();
    }

private:
    std::string bytes_;
};

TEST(LineReader, ALineEndedByCrAloneIsTakenWithoutWaitingForTheNextByte) {
    WaitingStream buffer("asm\r");
    std::istream in(&buffer);
    LineReader reader(in, 100);
    std::string line;
    EXPECT_EQ(reader.next(line), LineReader::Result::Line);
    EXPECT_EQ(line, "asm");
    EXPECT_FALSE(buffer.waitedForMore);
}

TEST(LineReader, QuotedExcerpts) {
    const std::string forty(40, 'x');
    struct Row {
        std::string text;
        std::string shown;
    };
    const Row rows[] = {
        {"asm", "\"asm\""},
        {"a\x01\"\xE3\x81\x82", "\"a\\x01\\\"\xE3\x81\x82\""},
        {forty, '"' + forty + '"'},
        {forty + "yz", '"' + forty + "\"... (42 bytes)"},
        {std::string(39, 'x') + "\xF0\x9F\x98\x80z", '"' + std::string(39, 'x') + "\"... (44 bytes)"},
    };
    for (const Row& r : rows) EXPECT_EQ(quotedExcerpt(r.text), r.shown) << r.text;
}

}  // namespace
}  // namespace comet
