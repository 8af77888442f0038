#include "config/game_files.h"

#include <gtest/gtest.h>

namespace krovan {
namespace {

struct PlacesCase {
  const char* program_folder;
  std::vector<std::string> places;
};

// The places are written out here, not built the way the code builds them.
const PlacesCase kPlaces[] = {
    {"/opt/krovan3d", {"/opt/krovan3d/data/highscore.dat", "data/highscore.dat"}},
    {"/", {"//data/highscore.dat", "data/highscore.dat"}},
    {"", {"data/highscore.dat"}},
};

TEST(HighScoreFiles, ProgramFolderFirstAndNoneWhereItIsUnknown) {
  for (const PlacesCase& row : kPlaces) {
    EXPECT_EQ(HighScoreFiles(row.program_folder), row.places) << row.program_folder;
  }
}

}  // namespace
}  // namespace krovan
