#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/game_files.h"
#include "config/toolkit.h"

namespace krovan {

// The settings window's behaviour: the load sequence, the colour-depth rule and the three
// buttons. It knows the window only through the toolkit operations, and the files only through
// `files`.
class frmMain final : public FormEvents {
 public:
  // `high_score_files`: where the game's high-score table may be (UTF-8), in the order they are
  // tried by Reset High Scores; each platform's start-up code names them.
  frmMain(ToolkitOperations& form, GameFiles& files, std::vector<std::string> high_score_files);

  void Form_Load();

  void cmbDepth_Click() override;
  void cmdOK_Click() override;
  void cmdCancel_Click() override;
  void cmdReset_Click() override;
  void optClassic_Click() override;
  void optEnhanced_Click() override;
  void optCustom_Click() override;

  // The resolution, which no control shows, held from the read to the write.
  std::int16_t ScreenWidth() const { return screen_width_; }
  std::int16_t ScreenHeight() const { return screen_height_; }

 private:
  ToolkitOperations& form_;
  GameFiles& files_;
  std::vector<std::string> high_score_files_;
  std::int16_t screen_width_ = 0;
  std::int16_t screen_height_ = 0;
};

}  // namespace krovan
