#pragma once

#include "prompter.h"

class QWidget;

namespace quorix::ui {

// Modal message boxes with the console's title, standard icons and Yes/No or OK.
class QtPrompter final : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    bool askYesNo(std::string_view question) override;
    void showMessage(std::string_view text, MessageIcon icon) override;
    Answer askYesNoCancel(std::string_view question) override;
    std::optional<std::filesystem::path> askFile(std::string_view caption, std::string_view filter, bool save) override;

private:
    QWidget* m_parent;
};

} // namespace quorix::ui
