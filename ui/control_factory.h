#pragma once

#include "tables/control_row.h"

#include "controls/control_context.h"

class QWidget;

namespace quorix::ui {

// Makes the skinned control a table row declares, with its scale, images,
// binding property Addr (its row's address), object name, index and accessible
// name, as a child of `parent`.
QWidget* CreateControl(const tables::ControlRow& row, QWidget* parent, const controls::ControlContext& context);

} // namespace quorix::ui
