#pragma once

#include "core/prompter.h"

class QWidget;

namespace quorix::ui {

// Modal message boxes with the console's title, standard icons and Yes/No or OK,
// and the console's own file dialogs.
class QtPrompter final : public core::Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    bool askYesNo(std::string_view question) override;
    Answer askYesNoCancel(std::string_view question) override;
    void showMessage(std::string_view text, core::Severity severity) override;
    std::optional<std::filesystem::path> askFile(const core::FileRequest& request) override;

private:
    QWidget* m_parent;
};

} // namespace quorix::ui
