#pragma once

#include <string>

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

}  // namespace krovan
