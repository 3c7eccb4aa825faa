// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "configuration_files.h"
#include "waiting_notice.h"

#include "link/device_link.h"

#include "core/prompter.h"
#include "core/scheduler.h"

#include <filesystem>
#include <memory>
#include <string_view>

namespace quorix::presets {

// A configuration file named when the console starts (a desktop opening a
// .quorix file): once the processor is online and read, the user is asked
// whether to write it, and on yes the usual file open runs, so nothing reaches
// the processor without a question. Until then a notice says the console is
// waiting, and the wait can be cancelled.
class FileOpenOnConnect {
public:
    FileOpenOnConnect(link::DeviceLink& link, core::Scheduler& scheduler, core::Prompter& prompter,
                      WaitingNotice& notice, ConfigurationFiles& files);
    ~FileOpenOnConnect();

    // A file that is not a configuration is refused at once with the console's message.
    void start(const std::filesystem::path& path);
    // The full read after a connection has ended (the link's synchronised()).
    void synchronised(bool ok);
    void cancel();

    bool waiting() const { return m_state == State::Waiting; }

private:
    enum class State { Idle, Waiting, Asking };

    void wait();
    void ask();
    std::string pathText() const;

    link::DeviceLink& m_link;
    core::Prompter& m_prompter;
    WaitingNotice& m_notice;
    ConfigurationFiles& m_files;
    // The question comes after the link step that finished the read, not inside it.
    std::unique_ptr<core::Timer> m_askTimer;
    std::filesystem::path m_path;
    State m_state = State::Idle;
};

inline constexpr std::string_view kWaitingToOpen = "正在等待设备联机。联机后将询问是否把以下配置文件写入设备：\n";
inline constexpr std::string_view kWriteFileQuestion = "是否把以下配置文件写入设备的当前预置？\n";

} // namespace quorix::presets
