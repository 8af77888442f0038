#include "tests/qt/running_program.h"

#include <gtest/gtest.h>

#include <QTest>
#include <fstream>
#include <random>

namespace krovan::testing {

namespace fs = std::filesystem;

namespace {

fs::path NewDirectory(const std::string& prefix) {
  std::random_device random;
  for (;;) {
    fs::path path = fs::temp_directory_path() / (prefix + std::to_string(random()));
    if (fs::create_directory(path)) {
      return path;
    }
  }
}

}  // namespace

RunningProgram::RunningProgram(const std::string& config_text)
    : previous_(fs::current_path()),
      game_(NewDirectory("krovan-qt-game-")),
      program_(NewDirectory("krovan-qt-program-")) {
  if (!config_text.empty()) {
    std::ofstream(ConfigFile(), std::ios::binary) << config_text;
  }
  fs::create_directory(program_ / "data");
  std::ofstream(HighScoreFile(), std::ios::binary) << "scores";
  fs::current_path(game_);

  window_ = std::make_unique<QtWindow>();
  routines_ = std::make_unique<frmMain>(*window_, std::vector{HighScoreFile().string()});
  routines_->Form_Load();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
}

RunningProgram::~RunningProgram() {
  routines_.reset();
  window_.reset();
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  fs::remove_all(game_, ignored);
  fs::remove_all(program_, ignored);
}

}  // namespace krovan::testing
