#include "app/line_reader.hpp"

#include <istream>

namespace comet {

LineReader::Result LineReader::next(std::string& line) {
    line.clear();
    if (ended_) return Result::End;
    std::streambuf& buf = *in_.rdbuf();
    using Traits = std::streambuf::traits_type;
    for (;;) {
        const int c = buf.sbumpc();
        if (afterCr_) {
            afterCr_ = false;
            if (c == '\n') continue;  // the rest of a CR LF
        }
        if (c == Traits::eof()) {
            ended_ = true;
            if (line.empty()) return Result::End;
            break;
        }
        if (c == '\n') break;
        if (c == '\r') {
            afterCr_ = true;  // a line ended by CR alone is not held back waiting for the next byte
            break;
        }
        if (line.size() == limit_) return Result::TooLong;
        line += static_cast<char>(c);
        if (atStart_ && line == "\xEF\xBB\xBF") line.clear();
    }
    atStart_ = false;
    return Result::Line;
}

}  // namespace comet
