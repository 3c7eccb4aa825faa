#pragma once

class QWidget;

namespace quorix::app {

// Ends the application as soon as `widget` has painted once: the end of start-up.
void QuitAfterFirstPaint(QWidget& widget);

} // namespace quorix::app
