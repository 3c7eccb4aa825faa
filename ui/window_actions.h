#pragma once

namespace quorix::ui {

// What the main window's buttons start beyond its own pages: configuration
// files, presets and the secondary windows. The frame window provides them.
class WindowActions {
public:
    virtual ~WindowActions() = default;
    virtual void openConfigurationFile() = 0;
    virtual void saveConfigurationFile() = 0;
    // The recall and store menus, shown at the pointer.
    virtual void showRecallMenu() = 0;
    virtual void showStoreMenu() = 0;
    virtual void showStartupSettings() = 0;
    virtual void showRecordingWindow() = 0;
    virtual void showEffectWindow() = 0;
    // The exit save dialog, modal; false when it was cancelled and the close is withdrawn.
    virtual bool showExitSave() = 0;
    virtual void closeRecordingWindow() = 0;
    // The processor said which variant it is: an open settings window places its lists for it.
    virtual void showDeviceVariant() = 0;
    // The main window is gone: secondary windows close with it.
    virtual void mainWindowUnloaded() = 0;
    // The full read after a connection has ended, with its result.
    virtual void synchronised(bool ok) = 0;
};

} // namespace quorix::ui
