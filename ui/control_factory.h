#pragma once

#include "control_spec.h"

#include "controls/control_context.h"

class QWidget;

namespace quorix::ui {

// Makes the skinned control a table row declares, with its scale, images,
// binding property Addr (from its Tag) and accessible name, as a child of `parent`.
QWidget* CreateControl(const ControlSpec& spec, QWidget* parent, const controls::ControlContext& context);

} // namespace quorix::ui
