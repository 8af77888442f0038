#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QSlider>
#include <QStringList>
#include <QWidget>

#include "bench/immediate_button.h"
#include "bench/plain_controls.h"
#include "config/key_names.h"

namespace bench {

void BuildPlainDialog(QWidget& window) {
  window.setWindowTitle("Plain Qt Dialog");
  window.setFixedSize(680, 380);

  const auto label = [](QWidget* parent, const char* caption, QRect box) {
    auto* label = new QLabel(caption, parent);
    label->setGeometry(box);
    return label;
  };
  const auto frame = [](QWidget* parent, const char* caption, QRect box) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setGeometry(box);
    return frame;
  };
  const auto option = [](QWidget* parent, const char* caption, QRect box, bool on) {
    auto* option = new QRadioButton(caption, parent);
    option->setGeometry(box);
    option->setChecked(on);
  };
  const auto check = [](QWidget* parent, const char* caption, QRect box, bool checked) {
    auto* check = new QCheckBox(caption, parent);
    check->setGeometry(box);
    check->setChecked(checked);
  };

  QLabel* depth_label = label(&window, "&Color Depth:", {10, 10, 121, 21});
  auto* depth = new QComboBox(&window);
  depth->setGeometry(90, 10, 71, 26);
  depth->addItems({"16-bit", "24-bit", "32-bit"});
  depth_label->setBuddy(depth);

  QGroupBox* screen_mode = frame(&window, "Screen Mode", {10, 40, 151, 71});
  option(screen_mode, "&Full Screen", {20, 20, 91, 21}, true);
  option(screen_mode, "&Windowed", {20, 40, 101, 21}, false);
  check(&window, "&Antialiasing", {10, 120, 151, 21}, false);
  check(&window, "&Dithering", {10, 150, 151, 21}, true);
  check(&window, "W-&Buffering", {10, 180, 151, 21}, true);
  QGroupBox* details = frame(&window, "Details", {10, 210, 151, 71});
  option(details, "&High", {20, 40, 101, 21}, false);
  option(details, "L&ow", {20, 20, 91, 21}, true);
  check(&window, "D&ebug Info", {10, 290, 151, 21}, false);

  QLabel* volume_label = label(&window, "&Sound Volume:", {10, 320, 151, 21});
  auto* volume = new QSlider(Qt::Horizontal, &window);
  volume->setGeometry(10, 340, 151, 21);
  volume->setRange(0, 100);
  volume->setValue(75);
  volume->setPageStep(10);
  volume->setTickPosition(QSlider::TicksBelow);
  volume->setTickInterval(5);
  volume_label->setBuddy(volume);

  QGroupBox* controls = frame(&window, "Controls", {180, 10, 491, 241});
  option(controls, "Class&ic", {20, 30, 81, 21}, true);
  label(controls, "Black Tank:", {10, 60, 81, 21});
  label(controls, "White Tank:", {250, 60, 81, 21});
  QStringList key_names;
  for (const std::string_view name : krovan::KeyNames()) {
    key_names.append(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  }
  // Per row: its caption and width, then the list index of the Classic keys of the Black Tank
  // (E, D, X, S, Q) and of the White Tank (I, K, M, J, Return/Enter).
  const struct {
    const char* caption;
    int width;
    int black_key;
    int white_key;
  } rows[] = {{"Move Up:", 71, 17, 22},
              {"Move Right:", 91, 31, 36},
              {"Move Down:", 81, 44, 49},
              {"Move Left:", 91, 30, 35},
              {"Fire:", 71, 15, 27}};
  for (int tank = 0; tank < 2; ++tank) {
    for (int row = 0; row < 5; ++row) {
      const int y = 80 + 30 * row;
      QLabel* caption =
          label(controls, rows[row].caption, {30 + 240 * tank, y, rows[row].width, 21});
      auto* keys = new QComboBox(controls);
      keys->setGeometry(110 + 240 * tank, y, 131, 26);
      keys->setMaxVisibleItems(16);
      keys->addItems(key_names);
      keys->setCurrentIndex(tank == 0 ? rows[row].black_key : rows[row].white_key);
      keys->setEnabled(false);
      caption->setBuddy(keys);
    }
  }
  option(controls, "C&ustom", {200, 30, 81, 21}, false);
  option(controls, "E&nhanced", {100, 30, 101, 21}, false);

  (new QPushButton("&Reset High Scores", &window))->setGeometry(180, 260, 491, 51);
  (new QPushButton("O&K", &window))->setGeometry(180, 320, 241, 51);
  auto* cancel = new ImmediateButton("Cance&l", &window);
  cancel->setGeometry(430, 320, 241, 51);
  QObject::connect(cancel, &QPushButton::clicked, &window, [&window] {
    QMessageBox::information(&window, "Notice", "Changes have been cancelled.");
    window.close();
  });
}

}  // namespace bench
