// Safe replacement and appending of files, over <cstdio> and <filesystem>.
#include "files/file_output.h"

#include <cstdio>
#include <filesystem>
#include <random>

namespace varnokit {

namespace fs = std::filesystem;

namespace {

// Writes all bytes, flushes and closes; false if any of these failed.
// The stream is closed in every case.
bool writeAndClose(std::FILE* file, std::string_view bytes) {
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
    ok = std::ferror(file) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

FileStatus writeInPlace(const std::string& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return FileStatus::CannotOpenOutput;
    return writeAndClose(file, bytes) ? FileStatus::Ok : FileStatus::WriteError;
}

// Creates a new, empty file next to `target` with a name nobody uses yet.
std::FILE* createTemporaryBeside(const fs::path& target, fs::path& temporary) {
    std::random_device entropy;
    std::mt19937 generator(entropy());
    fs::path folder = target.parent_path();
    for (int attempt = 0; attempt < 32; ++attempt) {
        temporary = folder / ("." + target.filename().string() + ".tmp" +
                              std::to_string(generator() % 1000000u));
        // "x": fail rather than reuse a file that already exists.
        std::FILE* file = std::fopen(temporary.c_str(), "wbx");
        if (file != nullptr) return file;
        std::error_code ec;
        if (!fs::exists(temporary, ec)) return nullptr;  // the folder refuses new files
    }
    return nullptr;
}

FileStatus replaceRegularFile(const fs::path& target, bool exists, std::string_view bytes) {
    std::error_code ec;
    if (exists) {
        // A file the user may not write must stay as it is, although its
        // folder would let us rename a new one over it.
        std::FILE* probe = std::fopen(target.c_str(), "ab");
        if (probe == nullptr) return FileStatus::CannotOpenOutput;
        std::fclose(probe);
    }
    fs::path temporary;
    std::FILE* file = createTemporaryBeside(target, temporary);
    if (file == nullptr) return FileStatus::CannotOpenOutput;
    if (exists) {
        fs::perms perms = fs::status(target, ec).permissions();
        if (!ec) fs::permissions(temporary, perms, ec);  // best effort: keep the old mode
    }
    bool ok = writeAndClose(file, bytes);
    if (ok) {
        fs::rename(temporary, target, ec);
        ok = !ec;
    }
    if (!ok) {
        fs::remove(temporary, ec);
        return FileStatus::WriteError;
    }
    return FileStatus::Ok;
}

}  // namespace

FileStatus replaceFileContents(const std::string& path, std::string_view bytes) {
    if (path.empty()) return FileStatus::CannotOpenOutput;
    std::error_code ec;
    fs::path target(path);
    fs::file_status link = fs::symlink_status(target, ec);
    fs::file_status status = fs::status(target, ec);
    switch (status.type()) {
    case fs::file_type::not_found:
        // A dangling link is followed, as opening it for writing would.
        if (link.type() == fs::file_type::symlink) return writeInPlace(path, bytes);
        return replaceRegularFile(target, false, bytes);
    case fs::file_type::regular:
        if (link.type() == fs::file_type::symlink) {
            fs::path real = fs::canonical(target, ec);
            if (ec) return writeInPlace(path, bytes);
            return replaceRegularFile(real, true, bytes);
        }
        return replaceRegularFile(target, true, bytes);
    case fs::file_type::directory:
        return FileStatus::CannotOpenOutput;
    default:
        // Devices, FIFOs, sockets, and names we cannot even examine: opening
        // them decides. A device node must never be renamed over.
        return writeInPlace(path, bytes);
    }
}

FileStatus appendToFile(const std::string& path, std::string_view bytes) {
    std::error_code ec;
    fs::file_type before = fs::status(path, ec).type();
    std::uintmax_t oldSize = 0;
    if (before == fs::file_type::regular) {
        oldSize = fs::file_size(path, ec);
        if (ec) before = fs::file_type::unknown;  // cannot undo; still try to write
    }
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) return FileStatus::CannotOpenOutput;
    if (writeAndClose(file, bytes)) return FileStatus::Ok;
    // Leave no partial report behind: cut back to the old end, or remove the
    // file this call created.
    if (before == fs::file_type::regular) fs::resize_file(path, oldSize, ec);
    if (before == fs::file_type::not_found) fs::remove(path, ec);
    return FileStatus::WriteError;
}

}  // namespace varnokit
