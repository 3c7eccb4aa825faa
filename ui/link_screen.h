#pragma once

#include "link/link_host.h"

namespace quorix::ui {

class Prompter;
class TuningWindow;
class WindowActions;

inline constexpr std::string_view kCaptionNoPermission = "Quorix_Series - 无权访问设备";
inline constexpr std::string_view kNoPermissionMessage =
    "已找到处理器，但当前用户没有打开它的权限。\n"
    "请安装 Quorix Console 软件包（它带有设备权限规则），或由管理员把 packaging/70-quorix.rules "
    "复制到 /etc/udev/rules.d/ 并执行 udevadm control --reload，然后重新插拔处理器。";

// The link's side of the screen: what the connection, the reads and the writes
// show on the main window (caption, connection button, progress, messages).
class LinkScreen final : public link::LinkHost {
public:
    LinkScreen(TuningWindow& window, Prompter& prompter, WindowActions& actions);

    // A processor is plugged in but this user may not open it: say so, and how to fix it, once.
    void showNoPermission();

    void setConnectionStatus(int value) override;
    void setCaption(std::string_view caption) override;
    void showMessage(std::string_view text, link::MessageIcon icon) override;
    void setWindowEnabled(bool enabled) override;
    void showProgress(bool visible) override;
    void setProgress(int value, int maximum) override;
    void RefreshControls() override;
    void ApplyDeviceVariant(bool variantFlag) override;
    void setToneLabel(int value) override;
    void closeRecordingWindow() override;
    void setMasterMaxima(int music, int microphone, int effect) override;
    void showPreset(int preset) override;
    void modeStateLoaded() override;
    void resetUndo() override;
    void linkTicked() override;
    void synchronised(bool ok) override;

private:
    TuningWindow& m_window;
    Prompter& m_prompter;
    WindowActions& m_actions;
    bool m_permissionExplained = false;
};

} // namespace quorix::ui
