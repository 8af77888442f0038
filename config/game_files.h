#pragma once

#include <string>
#include <vector>

#include "config/settings/game_settings.h"
#include "config/settings/remove_file.h"

namespace krovan {

// The files the routines read, write and delete, reached through this seam alone: the window
// toolkit does window work only. Each failure comes back as the system's description of why.
class GameFiles {
 public:
  // krovan3d.cfg in the current directory; a missing or damaged file ends the read.
  virtual ReadResult ReadSettings() = 0;
  // The whole of krovan3d.cfg, replacing the old file only once the new one is complete.
  virtual WriteResult WriteSettings(const GameSettings& settings) = 0;
  // Deletes the file at `path` (UTF-8); never a directory.
  virtual FileRemoval RemoveFile(const std::string& path) = 0;

 protected:
  ~GameFiles() = default;
};

// The real files, through this platform's file layer (config/settings/).
class SystemFiles final : public GameFiles {
 public:
  ReadResult ReadSettings() override;
  WriteResult WriteSettings(const GameSettings& settings) override;
  FileRemoval RemoveFile(const std::string& path) override;
};

// Where Reset High Scores looks on POSIX systems, in order: beside the program file in
// `program_folder`, which is right when the program sits in the game folder; then in the game
// folder the dialog was started in, the current folder that holds krovan3d.cfg. An unknown
// program folder (empty) gives no first place, never one at the root of the file system.
std::vector<std::string> HighScoreFiles(const std::string& program_folder);

}  // namespace krovan
