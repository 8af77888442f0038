#include "config/qt/screen_reader.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QVariant>
#include <QWidget>

namespace krovan {

namespace {

// Marks the windows that AnnounceAsDialog made dialogs.
constexpr char kDialogProperty[] = "krovanAnnouncedAsDialog";

// Consulted by Qt for every object that a screen reader reaches, before its own interfaces.
QAccessibleInterface* DialogInterface(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr || !widget->isWindow() || !widget->property(kDialogProperty).toBool()) {
    return nullptr;
  }
  return new QAccessibleWidget(widget, QAccessible::Dialog);
}

}  // namespace

void AnnounceAsDialog(QWidget& window) {
  window.setProperty(kDialogProperty, true);
  // Qt installs a factory once however often it is passed.
  QAccessible::installFactory(&DialogInterface);
}

void NameAfterBuddy(QLabel& label) {
  if (label.buddy() != nullptr && !label.buddy()->accessibleName().isEmpty()) {
    label.setAccessibleName(label.buddy()->accessibleName());
  }
}

}  // namespace krovan
