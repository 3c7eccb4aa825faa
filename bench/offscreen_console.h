#pragma once

#include "app/console_session.h"
#include "core/prompter.h"
#include "ui/tuning_window.h"
#include "ui/window_actions.h"

#include <QApplication>

#include <utility>

// The main tuning window on the offscreen platform against the virtual
// processor, at full-screen size, with nobody to answer its questions and no
// other windows: in virtual time with a ManualScheduler, in real time with a QtScheduler.
struct SilentPrompter final : quorix::core::Prompter {
    bool askYesNo(std::string_view) override { return false; }
    Answer askYesNoCancel(std::string_view) override { return Answer::Cancel; }
    void showMessage(std::string_view, quorix::core::Severity) override {}
    std::optional<std::filesystem::path> askFile(const quorix::core::FileRequest&) override { return std::nullopt; }
};

struct NoWindowActions final : quorix::ui::WindowActions {
    void openConfigurationFile() override {}
    void saveConfigurationFile() override {}
    void showRecallMenu() override {}
    void showStoreMenu() override {}
    void showStartupSettings() override {}
    void showRecordingWindow() override {}
    void showEffectWindow() override {}
    bool showExitSave() override { return true; }
    void closeRecordingWindow() override {}
    void showDeviceVariant() override {}
    void mainWindowUnloaded() override {}
    void synchronised(bool) override {}
};

template <class Clock>
struct OffscreenConsoleOn {
    Clock clock;
    quorix::app::ConsoleSession session;
    SilentPrompter prompter;
    NoWindowActions actions;
    quorix::ui::TuningWindow window{session, prompter, actions};

    explicit OffscreenConsoleOn(quorix::app::ConsoleSession::Options options = {.simulator = true})
        : session(clock, nullptr, std::move(options))
    {
        window.resize(1920, 1000);
        window.show();
        QApplication::processEvents();
    }
};
