#include "graph_menu.h"

#include "graph_actions.h"

#include <QMenu>

namespace quorix::ui {

std::unique_ptr<QMenu> CreateGraphMenu(GraphActions& actions, QWidget* parent)
{
    auto menu = std::make_unique<QMenu>(parent);
    for (const GraphMenuEntry& entry : kGraphMenu) {
        menu->addAction(QString::fromUtf8(entry.text.data(), static_cast<qsizetype>(entry.text.size())), parent,
                        [&actions, action = entry.action] { actions.run(action); });
        if (entry.separatorAfter)
            menu->addSeparator();
    }
    return menu;
}

} // namespace quorix::ui
