#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "config/frm_main.h"
#include "config/qt/qt_window.h"
#include "tests/qt/message_box_watcher.h"
#include "tests/scratch_directory.h"

namespace krovan::testing {

// The program as a user starts it: a game folder of its own (the current directory while the
// object lives) holding `config_text` as krovan3d.cfg, or no file when it is empty; a program
// folder with data/highscore.dat; the window loaded and active, so keys reach it. Message
// boxes are recorded and dismissed. Both folders are removed at the end.
class RunningProgram {
 public:
  explicit RunningProgram(const std::string& config_text = {});
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  QtWindow& window() { return *window_; }
  const MessageBoxWatcher& watcher() const { return watcher_; }
  std::filesystem::path ConfigFile() const { return game_.path() / "krovan3d.cfg"; }
  std::filesystem::path HighScoreFile() const { return program_.path() / "data" / "highscore.dat"; }

 private:
  ScratchDirectory game_;
  ScratchDirectory program_;
  MessageBoxWatcher watcher_;
  std::unique_ptr<QtWindow> window_;
  SystemFiles files_;
  std::unique_ptr<frmMain> routines_;
};

}  // namespace krovan::testing
