// A write-only stream buffer over a file descriptor.
#include "cli/fd_output.h"

#include <unistd.h>

#include <cerrno>

namespace varnokit::cli {

FdOutputBuffer::FdOutputBuffer(int fd) : fd_(fd), buffer_(1 << 16) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FdOutputBuffer::~FdOutputBuffer() { drain(); }

bool FdOutputBuffer::readerGone() const { return error_ == EPIPE; }

bool FdOutputBuffer::drain() {
    const char* at = pbase();
    std::size_t left = static_cast<std::size_t>(pptr() - pbase());
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    // After a failure the rest is dropped: nobody reads it.
    while (left > 0 && error_ == 0) {
        const ssize_t n = ::write(fd_, at, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error_ = n < 0 ? errno : EIO;
            break;
        }
        at += n;
        left -= static_cast<std::size_t>(n);
    }
    return error_ == 0;
}

FdOutputBuffer::int_type FdOutputBuffer::overflow(int_type c) {
    if (!drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int FdOutputBuffer::sync() { return drain() ? 0 : -1; }

}  // namespace varnokit::cli
