// The process's standard output and standard error for the modes without a window.
//
// A full disk, a closed stream or a reader that went away must not lose output
// silently: the streams write straight to their descriptors and keep the reason of
// the first failed write, and the mode ends with a message and its own exit status.
#pragma once

#include <ostream>
#include <streambuf>
#include <vector>

namespace comet {

constexpr int kOutputErrorStatus = 74;  // standard output or error lost what was written to it

// Before any file is opened: closed descriptors 0, 1 and 2 are opened on /dev/null for
// reading only, so that no file opened later takes their place and every write to them
// fails as a write to a closed stream does; and a reader that goes away (a broken pipe)
// ends the process quietly, as it ends other command line tools.
void holdStandardDescriptors();

// A stream buffer that writes to a descriptor, retrying short writes.
class DescriptorBuffer : public std::streambuf {
public:
    DescriptorBuffer(int fd, size_t size);
    int error() const { return error_; }  // the error number of the first failed write, or 0

protected:
    int overflow(int c) override;
    int sync() override;

private:
    bool drain();  // writes what the buffer holds; false once a write has failed

    int fd_;
    std::vector<char> buffer_;
    int error_ = 0;
};

// Standard output (buffered) and standard error (written at once).
class ProcessStreams {
public:
    ProcessStreams();

    std::ostream& out() { return out_; }
    std::ostream& err() { return err_; }

    // Flushes both streams. When one of them lost output, says so on standard error
    // while it still takes text and returns kOutputErrorStatus; else returns `status`.
    int finish(int status);

private:
    DescriptorBuffer outBuffer_;
    DescriptorBuffer errBuffer_;
    std::ostream out_;
    std::ostream err_;
};

}  // namespace comet
