#pragma once

#include <QWidget>
#include <array>
#include <span>
#include <string>

#include "config/form_controls.h"
#include "config/toolkit.h"

class QAbstractButton;
class QCloseEvent;
class QComboBox;
class QSlider;

namespace krovan {

// The settings window frmMain on Qt Widgets: the 43 controls at their places, scaled by one
// common factor, created in the design-time state. Its controls' changes run the routines of
// the connected FormEvents; closing it by the window manager runs none, and is refused while a
// message box is shown. qt_window.cpp creates and wires the controls, qt_placement.cpp places
// them, qt_operations.cpp holds the native operations.
class QtWindow final : public QWidget, public ToolkitOperations {
 public:
  QtWindow();

  // The factor by which every length of the layout, twips / 15, is scaled.
  double ScaleFactor() const { return scale_factor_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void NativeShow() override;
  void NativeClose() override;
  void NativeShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
  void NativeAppend(ControlIndex list, std::span<const std::string_view> texts) override;
  int NativeItemCount(ControlIndex list) const override;
  int NativeListIndex(ControlIndex list) const override;
  void NativeSelect(ControlIndex list, int index) override;
  void NativeEnable(ControlIndex list, bool enabled) override;
  bool NativeIsOn(ControlIndex control) const override;
  void NativeSetOn(ControlIndex control, bool on) override;
  int NativeSliderValue(ControlIndex slider) const override;
  void NativeSetSliderValue(ControlIndex slider, int value) override;

  void CreateControls();
  void SetInitialState();
  void ConnectEvents();
  void SetUpKeyboard();
  void PlaceControls();
  // Runs the routine of a change the user made; the changes made from code run theirs through
  // the toolkit operations.
  void RunUserRoutine(ControlIndex control);

  QComboBox* ComboAt(ControlIndex list) const;
  QAbstractButton* ButtonAt(ControlIndex button) const;
  QSlider* SliderAt(ControlIndex slider) const;

  double scale_factor_ = 1.0;
  std::array<QWidget*, form::kControlCount> widgets_{};  // by index in the window's table
  bool changing_from_code_ = false;
  bool showing_message_ = false;
};

}  // namespace krovan
