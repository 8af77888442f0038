#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace krovan {

inline void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A fresh, empty directory of its own in the system's temporary folder, removed with all it
// holds when the object goes. With kMakeCurrent it is also the current directory meanwhile.
class ScratchDirectory {
 public:
  enum Mode { kKeepCurrent, kMakeCurrent };

  explicit ScratchDirectory(Mode mode = kKeepCurrent) {
    std::random_device random;
    do {
      path_ = std::filesystem::temp_directory_path() /
              ("krovan-test-" + std::to_string(random()) + std::to_string(random()));
    } while (!std::filesystem::create_directory(path_));
    if (mode == kMakeCurrent) {
      previous_ = std::filesystem::current_path();
      std::filesystem::current_path(path_);
    }
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    if (!previous_.empty()) {
      std::filesystem::current_path(previous_, ignored);
    }
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

// Runs each test in a scratch directory of its own, current for the test's duration.
class ScratchDirectoryTest : public ::testing::Test {
 private:
  ScratchDirectory directory_{ScratchDirectory::kMakeCurrent};
};

}  // namespace krovan
