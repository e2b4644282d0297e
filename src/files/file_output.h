// Writing whole texts to files without losing what was there: a regular file
// is replaced only by a complete new file, an append that fails is undone,
// and every write error is reported.
#pragma once

#include <string>
#include <string_view>

#include "files/problem_file.h"

namespace varnokit {

// Makes `bytes` the content of `path`. A regular file (or a new name) gets a
// temporary file beside it that is renamed over it only when complete, so on
// any failure the old file is untouched; a symbolic link keeps pointing at
// the replaced file. A device or FIFO is written in place, never replaced.
// CannotOpenOutput: the target (or its temporary) cannot be opened for
// writing; WriteError: writing, closing or renaming failed.
FileStatus replaceFileContents(const std::string& path, std::string_view bytes);

// Adds `bytes` at the end of `path`, creating it when missing. When a write
// fails, a regular file is cut back to its old length.
FileStatus appendToFile(const std::string& path, std::string_view bytes);

}  // namespace varnokit
