// Per-test temporary folders and whole-file reads and writes for file tests.
#include "files/scratch_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace varnokit::testing {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    std::random_device entropy;
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "varnokit-";
    if (info != nullptr) name += std::string(info->test_suite_name()) + "-" + info->name() + "-";
    name += std::to_string(entropy());
    path_ = fs::temp_directory_path() / name;
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

int ScratchFolder::entryCount() const {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(path_)) ++count;
    return count;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

}  // namespace varnokit::testing
