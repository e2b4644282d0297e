// Standard output as a stream over its file descriptor, remembering why a
// write failed: a reader that closed the pipe early (`… | head`) ends the
// program quietly, any other failure (a full disk) is reported.
#pragma once

#include <streambuf>
#include <vector>

namespace varnokit::cli {

class FdOutputBuffer : public std::streambuf {
public:
    explicit FdOutputBuffer(int fd);
    ~FdOutputBuffer() override;
    bool readerGone() const;  // a write failed with EPIPE

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool drain();
    int fd_;
    int error_ = 0;  // errno of the first failed write
    std::vector<char> buffer_;
};

}  // namespace varnokit::cli
