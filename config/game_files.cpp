#include "config/game_files.h"

namespace krovan {
namespace {

constexpr char kInGameFolder[] = "data/highscore.dat";

}  // namespace

std::vector<std::string> HighScoreFiles(const std::string& program_folder) {
  if (program_folder.empty()) {
    return {kInGameFolder};
  }
  return {program_folder + "/" + kInGameFolder, kInGameFolder};
}

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
