#pragma once

class QWidget;

namespace quorix::controls {
class SkinnedButton;
} // namespace quorix::controls

namespace quorix::ui {

// Gives a secondary window the main window's close button in its top-right
// corner and makes Escape close it too, so it closes from inside even where
// the window system draws no title bar.
controls::SkinnedButton* AddCloseButton(QWidget& window);

} // namespace quorix::ui
