#include "graph_menu.h"

#include "controls/qt_text.h"

#include "graph_actions.h"

#include <QMenu>

namespace quorix::ui {

std::unique_ptr<QMenu> CreateGraphMenu(GraphActions& actions, QWidget* parent)
{
    auto menu = std::make_unique<QMenu>(parent);
    for (const GraphMenuEntry& entry : kGraphMenu) {
        menu->addAction(controls::QtText(entry.text), parent,
                        [&actions, action = entry.action] { actions.run(action); });
        if (entry.separatorAfter)
            menu->addSeparator();
    }
    return menu;
}

} // namespace quorix::ui
