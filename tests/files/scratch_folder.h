// A fresh folder under the system's temporary folder for one test, removed
// with everything in it when the test ends; plus small file helpers.
#pragma once

#include <filesystem>
#include <string>

namespace varnokit::testing {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    int entryCount() const;  // files and folders directly inside

private:
    std::filesystem::path path_;
};

// The whole content of a file ("" when it cannot be read).
std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

}  // namespace varnokit::testing
