#pragma once

#include "tables/control_row.h"

#include <functional>

class QWidget;

namespace quorix::ui {

class TuningWindow;

// What a click on a control of the tuning window does, by the action its table
// row names; empty for an indicator.
std::function<void()> ActionOf(const tables::ControlRow& row, QWidget* widget, TuningWindow& window);

} // namespace quorix::ui
