#include "app/process_output.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string_view>

#include "files/source_file.hpp"
#include "workbench/messages.hpp"

namespace comet {

void holdStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        const int held = ::open("/dev/null", O_RDONLY);  // takes the lowest free number: fd
        if (held != fd && held >= 0) ::close(held);
    }
    std::signal(SIGPIPE, SIG_DFL);
}

DescriptorBuffer::DescriptorBuffer(int fd, size_t size) : fd_(fd), buffer_(size) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

bool DescriptorBuffer::drain() {
    const std::string_view pending(pbase(), static_cast<size_t>(pptr() - pbase()));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    if (error_ == 0) error_ = writeAll(fd_, pending);
    return error_ == 0;
}

int DescriptorBuffer::overflow(int c) {
    if (!drain()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int DescriptorBuffer::sync() { return drain() ? 0 : -1; }

ProcessStreams::ProcessStreams() : outBuffer_(1, 64 * 1024), errBuffer_(2, 4096), out_(&outBuffer_), err_(&errBuffer_) {
    err_ << std::unitbuf;
}

int ProcessStreams::finish(int status) {
    out_.flush();
    err_.flush();
    const int outError = outBuffer_.error();
    if (outError == 0 && errBuffer_.error() == 0) return status;
    if (outError != 0 && outError != EPIPE) {
        const std::string why = outError == EBADF ? message(Msg::CliOutputClosed) : systemReason(outError);
        err_ << "comet-workbench: " << message(Msg::CliCannotWriteOutput, {why}) << '\n';
    }
    return kOutputErrorStatus;
}

}  // namespace comet
