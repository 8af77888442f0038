#pragma once

class QLabel;
class QWidget;

namespace krovan {

// Presents `window` to screen readers as a dialog named by its title. The window stays a plain
// top-level widget, so Escape and Enter keep pressing nothing. Call it before anything about the
// window is announced (its title, its children): Qt 6.8 makes and keeps the window's accessible
// interface at the first such event, even with no screen reader running, and would keep the
// generic one.
void AnnounceAsDialog(QWidget& window);

// Gives `label` the accessible name of the control it is the buddy of. Screen readers name a
// drop-down list by its label relation, since the list's own name is its current text; the
// label's visible caption stays as it is.
void NameAfterBuddy(QLabel& label);

}  // namespace krovan
