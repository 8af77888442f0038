#pragma once

#include <string>
#include <vector>

#include "config/toolkit.h"

namespace krovan::testing {

// Stands in for the routines: logs each one that runs with the state it sees at that moment,
// so a test can tell that it ran once, and after the change that started it. A depth change
// logs the selected index, a scheme routine the scheme button that is on ("none" or "several"
// would be a fault).
class RecordingEvents final : public FormEvents {
 public:
  explicit RecordingEvents(ToolkitOperations& form) : form_(form) { form.Connect(*this); }

  void cmbDepth_Click() override {
    log.push_back("cmbDepth_Click " + std::to_string(form_.GetListIndex(DropDownList::cmbDepth)));
  }
  void cmdOK_Click() override { log.emplace_back("cmdOK_Click"); }
  void cmdCancel_Click() override { log.emplace_back("cmdCancel_Click"); }
  void cmdReset_Click() override { log.emplace_back("cmdReset_Click"); }
  void optClassic_Click() override { log.push_back("optClassic_Click " + SchemeOn()); }
  void optEnhanced_Click() override { log.push_back("optEnhanced_Click " + SchemeOn()); }
  void optCustom_Click() override { log.push_back("optCustom_Click " + SchemeOn()); }

  std::vector<std::string> log;

 private:
  std::string SchemeOn() const {
    std::string on = "none";
    int count = 0;
    for (const auto& [button, name] : {std::pair{OptionButton::optClassic, "optClassic"},
                                       std::pair{OptionButton::optEnhanced, "optEnhanced"},
                                       std::pair{OptionButton::optCustom, "optCustom"}}) {
      if (form_.IsOn(button)) {
        on = name;
        ++count;
      }
    }
    return count > 1 ? "several" : on;
  }

  ToolkitOperations& form_;
};

}  // namespace krovan::testing
