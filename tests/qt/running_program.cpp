#include "tests/qt/running_program.h"

#include <gtest/gtest.h>

#include <QTest>

namespace krovan::testing {

namespace fs = std::filesystem;

RunningProgram::RunningProgram(const std::string& config_text)
    : game_(ScratchDirectory::kMakeCurrent) {
  if (!config_text.empty()) {
    WriteFile(ConfigFile(), config_text);
  }
  fs::create_directory(program_.path() / "data");
  WriteFile(HighScoreFile(), "scores");

  window_ = std::make_unique<QtWindow>();
  routines_ = std::make_unique<frmMain>(*window_, files_, std::vector{HighScoreFile().string()});
  routines_->Form_Load();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
}

RunningProgram::~RunningProgram() {
  routines_.reset();
  window_.reset();
}

}  // namespace krovan::testing
