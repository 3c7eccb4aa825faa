#pragma once

#include "link_wording.h"
#include "loss_notice.h"

#include "link/link_host.h"

#include "core/prompter.h"
#include "core/scheduler.h"

#include <deque>
#include <memory>
#include <string>
#include <string_view>

namespace quorix::ui {

class TuningWindow;
class WindowActions;

inline constexpr std::string_view kCaptionNoPermission = "Quorix_Series - 无权访问设备";
inline constexpr std::string_view kNoPermissionMessage =
    "已找到处理器，但当前用户没有打开它的权限。\n"
    "请安装 Quorix Console 软件包（它带有设备权限规则），或由管理员把 packaging/70-quorix.rules "
    "复制到 /etc/udev/rules.d/ 并执行 udevadm control --reload，然后重新插拔处理器。";
// Followed by the broker's or the room agent's reason.
inline constexpr std::string_view kRemoteProblemMessage = "远程房间：";

// The link's side of the screen: what the connection, the reads and the writes
// show on the main window (caption, connection button, progress, messages).
// A message waits until the link step that caused it has returned, and is shown
// from a turn of the event loop of its own.
class LinkScreen final : public link::LinkHost {
public:
    LinkScreen(TuningWindow& window, core::Scheduler& scheduler, core::Prompter& prompter, WindowActions& actions);
    ~LinkScreen() override;

    // A processor is plugged in but this user may not open it: say so, and how to fix it, once.
    void showNoPermission();
    // Why a room tuned through the venue's broker is not this console's (the broker's or the
    // agent's words): kept on the connection button, each new reason told once until the link is up.
    void showRemoteProblem(const std::string& problem);

    void report(const link::LinkReport& report) override;

private:
    void show(const link::LinkReport& report);
    void showCaption(std::string_view caption);
    void showTransfer(bool running);
    void queueMessage(std::string text, core::Severity severity);
    void showQueuedMessages();

    TuningWindow& m_window;
    core::Scheduler& m_scheduler;
    core::Prompter& m_prompter;
    WindowActions& m_actions;
    LossNotice m_lossNotice;
    std::deque<std::pair<std::string, core::Severity>> m_messages;
    std::unique_ptr<core::Timer> m_messageTurn;
    bool m_permissionExplained = false;
    std::string m_remoteProblemTold;
    bool m_lostWritesTold = false; // in this outage: told again once the screen is back in step
};

} // namespace quorix::ui
