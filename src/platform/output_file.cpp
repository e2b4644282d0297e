// Crash-safe output over POSIX: O_TMPFILE for a new file with no name,
// copy_file_range for the old content of an append, linkat and rename to
// put the complete file in place.
#include "platform/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <random>

namespace varnokit {
namespace {

constexpr std::size_t kBufferBytes = 1 << 16;

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A name beside `target` that nobody is likely to use: ".NAME.tmpNNNNNN".
std::string temporaryName(const std::string& target) {
    static std::mt19937 generator{std::random_device{}()};
    std::string folder = folderOf(target);
    if (folder != "/") folder += '/';
    return folder + "." + nameOf(target) + ".tmp" + std::to_string(generator() % 1000000u);
}

// A reader that left a FIFO would end the program by SIGPIPE in the middle
// of a write, silently and with nothing reported. While the guard lives,
// SIGPIPE is blocked; a write that fails with EPIPE takes back the signal
// it raised, so the failure is an ordinary write error.
class QuietBrokenPipe {
public:
    QuietBrokenPipe() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe_, &old_);
        sigset_t pending;
        sigpending(&pending);
        pendingBefore_ = sigismember(&pending, SIGPIPE) == 1;
    }
    ~QuietBrokenPipe() { pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
    void takeBackSignal() {
        if (pendingBefore_) return;
        const timespec zero{};
        sigtimedwait(&pipe_, nullptr, &zero);
    }

private:
    sigset_t pipe_{};
    sigset_t old_{};
    bool pendingBefore_ = false;
};

// Copies everything from `from` (at its offset) to `to` (at its offset).
bool copyAll(int from, int to) {
    for (;;) {
        const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, std::size_t{1} << 30, 0);
        if (n == 0) return true;
        if (n > 0) continue;
        if (errno == EINTR) continue;
        if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) break;
        return false;
    }
    // File systems without copy_file_range: through a buffer.
    std::string buffer(kBufferBytes, '\0');
    for (;;) {
        const ssize_t n = ::read(from, buffer.data(), buffer.size());
        if (n == 0) return true;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        std::size_t done = 0;
        while (done < static_cast<std::size_t>(n)) {
            const ssize_t w = ::write(to, buffer.data() + done, static_cast<std::size_t>(n) - done);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) return false;
            done += static_cast<std::size_t>(w);
        }
    }
}

}  // namespace

OutputFile::~OutputFile() { discard(); }

FileStatus OutputFile::open(const std::string& path, Mode mode) {
    discard();
    failed_ = false;
    buffer_.clear();
    if (path.empty()) return FileStatus::CannotOpenOutput;

    target_ = path;
    struct stat link {};
    struct stat st {};
    bool exists = ::stat(path.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) return FileStatus::CannotOpenOutput;
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (!exists) {
            // A dangling link: opening it creates the file it names.
            inPlace_ = true;
        } else {
            // The new file goes beside the file the link names, so the link
            // keeps pointing at the saved content.
            char real[PATH_MAX];
            if (::realpath(path.c_str(), real) == nullptr) return FileStatus::CannotOpenOutput;
            target_ = real;
        }
    }
    if (exists && S_ISDIR(st.st_mode)) return FileStatus::CannotOpenOutput;
    // Devices, FIFOs and sockets are written where they are: a device node
    // must never be renamed over, and a FIFO's reader waits on this one.
    if (exists && !S_ISREG(st.st_mode)) inPlace_ = true;

    if (inPlace_) {
        const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (mode == Mode::Append ? O_APPEND : O_TRUNC);
        fd_ = ::open(path.c_str(), flags, 0666);
        if (fd_ < 0) {
            inPlace_ = false;
            return FileStatus::CannotOpenOutput;
        }
        return FileStatus::Ok;
    }

    int old = -1;
    if (exists) {
        // A file the user may not write stays as it is, although its folder
        // would let a new one take its name.
        const int probe = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
        if (probe < 0) return FileStatus::CannotOpenOutput;
        ::close(probe);
        if (mode == Mode::Append) {
            old = ::open(target_.c_str(), O_RDONLY | O_CLOEXEC);
            if (old < 0) return FileStatus::CannotOpenOutput;
        }
    }

    const std::string folder = folderOf(target_);
    fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        // No unnamed files on this file system: a named one, removed on failure.
        for (int attempt = 0; attempt < 32 && fd_ < 0; ++attempt) {
            temporary_ = temporaryName(target_);
            fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST) break;
        }
        named_ = fd_ >= 0;
    }
    if (fd_ < 0) {
        if (old >= 0) ::close(old);
        return FileStatus::CannotOpenOutput;
    }
    if (exists) {
        // Best effort: the replaced file's mode and owner.
        (void)::fchmod(fd_, st.st_mode & 07777);
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) && ::fchown(fd_, st.st_uid, st.st_gid) != 0) {
            // Not allowed (only root may give a file away): the new file stays the user's.
        }
    }
    if (old >= 0) {
        const bool copied = copyAll(old, fd_);
        ::close(old);
        if (!copied) {
            discard();
            return FileStatus::WriteError;
        }
    }
    return FileStatus::Ok;
}

bool OutputFile::write(std::string_view bytes) {
    if (failed_ || fd_ < 0) return false;
    buffer_.append(bytes);
    if (buffer_.size() >= kBufferBytes && !flush()) return false;
    return true;
}

bool OutputFile::flush() {
    if (failed_) return false;
    if (!writeAll(buffer_)) failed_ = true;
    buffer_.clear();
    return !failed_;
}

bool OutputFile::writeAll(std::string_view bytes) {
    QuietBrokenPipe quiet;
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n < 0 && errno == EPIPE) quiet.takeBackSignal();
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

FileStatus OutputFile::commit() {
    if (fd_ < 0) return FileStatus::WriteError;
    if (!flush()) {
        discard();
        return FileStatus::WriteError;
    }
    if (inPlace_) {
        const int fd = fd_;
        fd_ = -1;
        inPlace_ = false;
        return ::close(fd) == 0 ? FileStatus::Ok : FileStatus::WriteError;
    }
    if (::fsync(fd_) != 0) {
        discard();
        return FileStatus::WriteError;
    }
    const FileStatus status = putInPlace();
    if (status != FileStatus::Ok) {
        discard();
        return status;
    }
    ::close(fd_);
    fd_ = -1;
    // Make the new name itself survive a power cut.
    const int folder = ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
    return FileStatus::Ok;
}

// Gives the complete file the target's name. An unnamed file needs a name of
// its own first (a link cannot replace a name); it holds that name only for
// the moment between the two calls.
FileStatus OutputFile::putInPlace() {
    if (!named_) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; attempt < 32 && !named_; ++attempt) {
            temporary_ = temporaryName(target_);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary_.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
                ::linkat(fd_, "", AT_FDCWD, temporary_.c_str(), AT_EMPTY_PATH) == 0) {
                named_ = true;
            } else if (errno != EEXIST) {
                return FileStatus::WriteError;
            }
        }
        if (!named_) return FileStatus::WriteError;
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) return FileStatus::WriteError;
    named_ = false;
    return FileStatus::Ok;
}

void OutputFile::discard() {
    if (fd_ < 0) return;
    if (named_) ::unlink(temporary_.c_str());
    ::close(fd_);
    fd_ = -1;
    named_ = false;
    inPlace_ = false;
}

}  // namespace varnokit
