#include "config/game_files.h"

namespace krovan {

ReadResult SystemFiles::ReadSettings() {
  return krovan::ReadSettings();
}

WriteResult SystemFiles::WriteSettings(const GameSettings& settings) {
  return krovan::WriteSettings(settings);
}

FileRemoval SystemFiles::RemoveFile(const std::string& path) {
  return RemoveRegularFile(path);
}

}  // namespace krovan
