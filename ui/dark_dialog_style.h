#pragma once

class QWidget;

namespace quorix::ui {

// Plain Qt widgets of a dialog or pop-up menu drawn to sit beside the dark skinned windows.
void ApplyDarkDialogStyle(QWidget& dialog);

} // namespace quorix::ui
