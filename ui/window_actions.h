#pragma once

namespace quorix::ui {

// What the main window's buttons start beyond its own pages: configuration
// files, presets and the secondary windows. The frame window provides them.
class WindowActions {
public:
    virtual ~WindowActions() = default;
    virtual void OpenConfigurationFile() = 0;
    virtual void SaveConfigurationFile() = 0;
    // The recall and store menus, shown at the pointer.
    virtual void ShowRecallMenu() = 0;
    virtual void ShowStoreMenu() = 0;
    virtual void ShowStartupSettings() = 0;
    virtual void ShowRecordingWindow() = 0;
    virtual void ShowEffectWindow() = 0;
    // The exit save dialog, modal; false when it was cancelled and the close is withdrawn.
    virtual bool ShowExitSave() = 0;
    virtual void CloseRecordingWindow() = 0;
    // The processor said which variant it is: an open settings window places its lists for it.
    virtual void ShowDeviceVariant() = 0;
    // The main window is gone: secondary windows close with it.
    virtual void MainWindowUnloaded() = 0;
    // The full read after a connection has ended, with its result.
    virtual void Synchronised(bool ok) = 0;
};

} // namespace quorix::ui
