// A file being written so that nothing the user had is lost: a regular file
// gets its new content in an unnamed file beside it, which takes the
// target's name only once it is complete. A crash, a kill or a full disk
// part-way leaves the old file exactly as it was and no temporary file.
// Devices and FIFOs are written in place, never replaced.
#pragma once

#include <string>
#include <string_view>

#include "files/problem_file.h"

namespace varnokit {

class OutputFile {
public:
    enum class Mode {
        Replace,  // the new content replaces the old
        Append,   // the new content follows the old
    };

    OutputFile() = default;
    ~OutputFile();  // without commit(): the target stays as it was
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Ok, or CannotOpenOutput: a folder, a missing folder, a file the user
    // may not write, a folder that takes no new files. Append mode copies
    // the old content into the new file here (a WriteError when it fails).
    FileStatus open(const std::string& path, Mode mode);

    // Buffered; false once anything failed (a full disk, a reader that left
    // the FIFO), and every later call does nothing.
    bool write(std::string_view bytes);

    // Flushes, syncs and puts the new file in place. Ok or WriteError.
    FileStatus commit();

private:
    bool flush();
    bool writeAll(std::string_view bytes);
    FileStatus putInPlace();
    void discard();

    int fd_ = -1;
    bool inPlace_ = false;       // a device or FIFO written directly
    bool named_ = false;         // the new file has a name (no unnamed files here)
    bool failed_ = false;
    std::string target_;         // the file that gets the new content
    std::string temporary_;      // the new file's name while named_
    std::string buffer_;
};

}  // namespace varnokit
