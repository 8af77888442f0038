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

// Runs each test in a fresh, empty directory of its own, current for the test's duration.
class ScratchDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::random_device random;
    do {
      directory_ = std::filesystem::temp_directory_path() /
                   ("krovan-settings-" + std::to_string(random()) + std::to_string(random()));
    } while (!std::filesystem::create_directory(directory_));
    std::filesystem::current_path(directory_);
  }

  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path directory_;
};

}  // namespace krovan
