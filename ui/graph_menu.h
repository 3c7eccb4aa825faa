#pragma once

#include <memory>

class QMenu;
class QWidget;

namespace quorix::ui {

class GraphActions;

// The response graph's context menu over its actions.
std::unique_ptr<QMenu> CreateGraphMenu(GraphActions& actions, QWidget* parent);

} // namespace quorix::ui
