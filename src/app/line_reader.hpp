// Lines of a stream as a careless input gives them: any line end, a byte-order mark,
// and lines that never end.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

namespace comet {

class LineReader {
public:
    enum class Result {
        Line,     // a line was read
        End,      // the stream has ended, now and for every later call
        TooLong,  // the line has more bytes than the limit; what was read of it is dropped
    };

    LineReader(std::istream& in, size_t limit) : in_(in), limit_(limit) {}

    // The next line without its end: LF, CR LF, a lone CR, or the end of the stream. A
    // UTF-8 byte-order mark at the start of the stream is no part of the first line.
    Result next(std::string& line);

private:
    std::istream& in_;
    size_t limit_;
    bool atStart_ = true;
    bool ended_ = false;
    bool afterCr_ = false;  // the last line ended with CR: an LF first in the next is no part of it
};

}  // namespace comet
