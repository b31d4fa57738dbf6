// Arbitrary bytes as what an editor sends the language server: the message reader keeps
// within its limits, and the server answers with well-framed JSON whatever it was sent.
#include <sstream>
#include <string>

#include "cases.hpp"
#include "protocols/framing.hpp"
#include "protocols/lsp_server.hpp"

namespace comet::fuzz {
namespace {

std::string checkReader(const std::string& bytes) {
    std::istringstream in(bytes);
    MessageReader reader(in);
    size_t messages = 0;
    while (true) {
        const MessageReader::Read read = reader.next();
        if (read.status == MessageReader::Read::End) return {};
        if (read.body.size() > kBodyLimit) return "a body beyond the limit was kept";
        if (read.status == MessageReader::Read::Malformed && read.problem.empty()) return "a malformed message without its problem";
        if (++messages > bytes.size()) return "more messages than bytes";
    }
}

// Every answer the server wrote is a message whose body is a JSON object.
std::string checkAnswers(const std::string& written) {
    std::istringstream in(written);
    MessageReader reader(in);
    while (true) {
        const MessageReader::Read read = reader.next();
        if (read.status == MessageReader::Read::End) return in.eof() ? std::string() : "the answers end in the middle";
        if (read.status == MessageReader::Read::Malformed) return "an answer without its header: " + read.problem;
        const auto json = parsedBody(read.body);
        if (!json || !json->is_object()) return "an answer that is no JSON object";
    }
}

}  // namespace

std::string runProtocolCase(Bytes bytes) {
    const std::string text(bytes.begin(), bytes.end());
    if (auto problem = checkReader(text); !problem.empty()) return problem;
    std::istringstream in(text);
    std::ostringstream out;
    const int status = serveLanguage(in, out);
    if (status != 0 && status != 1) return "an exit status other than 0 or 1";
    return checkAnswers(out.str());
}

}  // namespace comet::fuzz
