// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_open_on_connect.h"

#include "platform/utf8_path.h"

#include "config_file_message.h"

#include "core/config_file.h"

#include <string>

namespace quorix::presets {

FileOpenOnConnect::FileOpenOnConnect(link::DeviceLink& link, core::Scheduler& scheduler, core::Prompter& prompter,
                                     WaitingNotice& notice, ConfigurationFiles& files)
    : m_link(link), m_prompter(prompter), m_notice(notice), m_files(files),
      m_askTimer(scheduler.createTimer(0, true, [this] { ask(); }))
{}

FileOpenOnConnect::~FileOpenOnConnect()
{
    if (m_state == State::Waiting)
        m_notice.hideWaiting();
}

void FileOpenOnConnect::start(const std::filesystem::path& path)
{
    core::ParamStore checked;
    const core::ConfigFileResult read = core::LoadConfigurationFile(path, checked);
    if (!read.ok) {
        m_prompter.showMessage(ConfigFileMessage(read), core::Severity::Warning);
        return;
    }
    m_path = path;
    wait();
}

void FileOpenOnConnect::synchronised(bool ok)
{
    if (m_state != State::Waiting || !ok)
        return;
    m_state = State::Asking;
    m_notice.hideWaiting();
    m_askTimer->start();
}

void FileOpenOnConnect::cancel()
{
    if (m_state == State::Waiting)
        m_notice.hideWaiting();
    m_askTimer->stop();
    m_state = State::Idle;
}

void FileOpenOnConnect::wait()
{
    m_state = State::Waiting;
    m_notice.showWaiting(std::string(kWaitingToOpen) + pathText(), [this] { cancel(); });
}

void FileOpenOnConnect::ask()
{
    if (m_state != State::Asking)
        return;
    // Lost again between the read and the question: back to waiting for the next read.
    if (!m_link.online()) {
        wait();
        return;
    }
    m_state = State::Idle;
    if (m_prompter.askYesNo(std::string(kWriteFileQuestion) + pathText()))
        m_files.openConfigurationFile(m_path);
}

std::string FileOpenOnConnect::pathText() const
{
    return platform::PathToUtf8(m_path);
}

} // namespace quorix::presets
