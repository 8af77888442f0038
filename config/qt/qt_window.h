#pragma once

#include <QWidget>
#include <array>
#include <span>
#include <string>

#include "config/form_layout.h"
#include "config/toolkit.h"

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace krovan {

// The settings window frmMain on Qt Widgets: the 43 controls at their places, scaled by one
// common factor, created in the design-time state. Its controls' changes run the routines of
// the connected FormEvents; closing it by the window manager runs none, and is refused while a
// message box is shown. qt_window.cpp creates and wires the controls, qt_placement.cpp places
// them, qt_operations.cpp holds the operations.
class QtWindow final : public QWidget, public ToolkitOperations {
 public:
  QtWindow();

  // The factor by which every length of the layout, twips / 15, is scaled.
  double ScaleFactor() const { return scale_factor_; }

  void ShowForm() override;
  void CloseForm() override;
  void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override;

  void AppendItem(DropDownList list, std::string_view text) override;
  void AppendItems(DropDownList list, std::span<const std::string_view> texts) override;
  int GetListIndex(DropDownList list) const override;
  bool SetListIndex(DropDownList list, int index) override;
  void SetEnabled(DropDownList list, bool enabled) override;

  bool IsOn(OptionButton button) const override;
  void TurnOn(OptionButton button) override;

  int GetValue(CheckBox box) const override;
  void SetValue(CheckBox box, int value) override;

  int GetValue(Slider slider) const override;
  bool SetValue(Slider slider, int value) override;

  FileRemoval RemoveFile(const std::string& path) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void SetInitialState();
  void ConnectEvents();
  void SetUpKeyboard();
  void PlaceControls();
  void RunRoutine(form::Routine routine);

  QWidget* ContainerOf(const form::Control& control);
  QComboBox* List(DropDownList list) const;
  QRadioButton* Option(OptionButton button) const;
  QCheckBox* Box(CheckBox box) const;

  double scale_factor_ = 1.0;
  std::array<QGroupBox*, form::kFrameCount> frames_{};
  std::array<QLabel*, form::kLabelCount> labels_{};
  std::array<QRadioButton*, form::kOptionButtonCount> option_buttons_{};
  std::array<QCheckBox*, form::kCheckBoxCount> check_boxes_{};
  std::array<QPushButton*, form::kButtonCount> buttons_{};
  std::array<QComboBox*, form::kDropDownListCount> lists_{};
  QSlider* slider_ = nullptr;
  bool showing_message_ = false;
};

}  // namespace krovan
