// The editors' message framing as careless or hostile clients send it: every message is
// read whole or told of, nothing beyond the limits is kept, and the end is the end.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "protocols/framing.hpp"
#include "protocols/lsp_server.hpp"
#include "session/actions.hpp"

namespace comet {
namespace {

// Each read until the end: the body of a message, "!problem" for a malformed one.
std::vector<std::string> readsOf(const std::string& bytes) {
    std::istringstream in(bytes);
    MessageReader reader(in);
    std::vector<std::string> reads;
    for (auto read = reader.next(); read.status != MessageReader::Read::End; read = reader.next())
        reads.push_back(read.status == MessageReader::Read::Message ? read.body : "!" + read.problem);
    EXPECT_EQ(reader.next().status, MessageReader::Read::End) << "the end stays the end";
    return reads;
}

std::string framed(const std::string& body) { return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body; }

struct FramingCase {
    const char* what;
    std::string bytes;
    std::vector<std::string> reads;
};

class Framing : public ::testing::TestWithParam<FramingCase> {};

TEST_P(Framing, ReadsEachMessageOrTellsWhatIsWrong) { EXPECT_EQ(readsOf(GetParam().bytes), GetParam().reads); }

const std::string kTooLong(kBodyLimit + 1, ' ');

std::string manyFields(size_t n) {
    std::string fields;
    for (size_t i = 0; i < n; ++i) fields += "Content-Length: 2\r\n";
    return fields;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Framing,
    ::testing::Values(
        FramingCase{"two messages", framed("{}") + framed("[1]"), {"{}", "[1]"}},
        FramingCase{"other fields, any case, LF alone", "content-type: x\ncontent-LENGTH:  2 \n\n{}", {"{}"}},
        FramingCase{"blank lines between messages", "\r\n\r\n" + framed("{}"), {"{}"}},
        FramingCase{"no length", "Content-Type: x\r\n\r\n" + framed("{}"), {"!a message without Content-Length", "{}"}},
        FramingCase{"a length in words", "Content-Length: two\r\n\r\n" + framed("{}"), {"!a Content-Length that is no whole number", "{}"}},
        FramingCase{"a negative length", "Content-Length: -2\r\n\r\n" + framed("{}"), {"!a Content-Length that is no whole number", "{}"}},
        FramingCase{"a length past any number", "Content-Length: 99999999999999999999999\r\n\r\n" + framed("{}"),
                    {"!a Content-Length that is no whole number", "{}"}},
        FramingCase{"a header line past its limit", std::string(kHeaderLineLimit + 1, 'x') + "\r\n\r\n" + framed("{}"),
                    {"!a header line longer than 1024 bytes", "{}"}},
        FramingCase{"too many header lines", manyFields(kHeaderFieldLimit + 1) + "\r\n" + framed("{}"),
                    {"!more than 32 header lines", "{}"}},
        FramingCase{"a body past its limit is skipped", framed(kTooLong) + framed("{}"),
                    {"!a message of 4194305 bytes, more than the 4194304 a message may have", "{}"}},
        FramingCase{"a body cut short", framed("{}") + "Content-Length: 10\r\n\r\n{}", {"{}"}},
        FramingCase{"a header cut short", framed("{}") + "Content-Len", {"{}"}},
        FramingCase{"nothing", "", {}}),
    [](const auto& info) {
        std::string name;
        for (const char c : std::string(info.param.what)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(Framing, WritesTheLengthInBytesBeforeTheBody) {
    std::ostringstream out;
    writeMessage(out, {{"text", "\u00e9"}});
    EXPECT_EQ(out.str(), "Content-Length: 13\r\n\r\n{\"text\":\"\u00e9\"}");
}

TEST(Framing, TakesJsonNestedToTheLimitAndNoDeeper) {
    const auto nested = [](int depth) { return std::string(static_cast<size_t>(depth), '[') + std::string(static_cast<size_t>(depth), ']'); };
    EXPECT_TRUE(parsedBody(nested(kNestingLimit)));
    EXPECT_FALSE(parsedBody(nested(kNestingLimit + 1)));
    EXPECT_TRUE(parsedBody("[\"[[[[\"]")) << "brackets in a string nest nothing";
    EXPECT_FALSE(parsedBody("{\"a\":"));
}

// The assembler's problems as the language server publishes them: lines and columns from
// 0, a warning (here of the tab) as a warning.
TEST(LspDiagnostics, PlacesEachProblemOnItsLineAndColumns) {
    SilentDisplay display;
    Workbench wb(display);
    startWorkbench(wb);
    assembleText(wb, u"  JMP NOWHERE\r\n  EXIT\t\r\n  END\r\n");
    const nlohmann::json expected = nlohmann::json::parse(R"([
        {"range": {"start": {"line": 0, "character": 6}, "end": {"line": 0, "character": 13}}, "severity": 1},
        {"range": {"start": {"line": 1, "character": 6}, "end": {"line": 1, "character": 7}}, "severity": 2}])");
    nlohmann::json placed = lspDiagnostics(wb);
    for (auto& d : placed) {
        d.erase("message");
        d.erase("source");
    }
    EXPECT_EQ(placed, expected) << placed.dump();
}

}  // namespace
}  // namespace comet
