#include "device_comparison.h"

#include "console_services.h"
#include "link_screen.h"
#include "tuning_window.h"
#include "prompter.h"

#include "link/device_link.h"

#include <algorithm>

namespace quorix::ui {

DeviceComparison::DeviceComparison(ConsoleServices& session, TuningWindow& window, Prompter& prompter)
    : m_session(session), m_window(window), m_prompter(prompter)
{
}

bool DeviceComparison::compare()
{
    m_differences.clear();
    if (!m_session.link().LinkOnline()) {
        m_prompter.showMessage(kDeviceOfflineMessage, MessageIcon::Exclamation);
        return false;
    }
    m_processor = m_session.store();
    if (!m_session.link().ReadWorkingSet(m_session.view().CurrentPreset, m_processor))
        return false;
    m_differences = core::DiffImages(m_session.store(), m_processor);
    return true;
}

std::vector<std::pair<int, int>> DeviceComparison::differingParameters() const
{
    std::vector<std::pair<int, int>> parameters;
    const core::ParamStore& store = m_session.store();
    for (const core::ParamDifference& d : m_differences) {
        const bool mirrored = d.mode == 1 && !store.at(0, d.address).PerMode;
        const std::pair<int, int> parameter{mirrored ? 0 : d.mode, d.address};
        if (std::find(parameters.begin(), parameters.end(), parameter) == parameters.end())
            parameters.push_back(parameter);
    }
    return parameters;
}

bool DeviceComparison::writeScreenToProcessor()
{
    // Copied first: the waits below run events, and a new comparison may replace the list.
    const auto parameters = differingParameters();
    core::ViewState& view = m_session.view();
    const std::uint8_t shownMode = view.CurrentMode;
    const int total = static_cast<int>(parameters.size());
    bool ok = true;
    // The window stays disabled while the mode byte of the writes is not the one on screen.
    link::LinkHost& screen = m_window.linkScreen();
    screen.report({link::LinkCode::TransferStarted});
    screen.report({link::LinkCode::Progress, 0, total});
    int done = 0;
    for (const auto& [mode, address] : parameters) {
        view.CurrentMode = static_cast<std::uint8_t>(mode);
        ok = m_session.link().WriteParam(address);
        view.CurrentMode = shownMode;
        if (!ok)
            break;
        screen.report({link::LinkCode::Progress, ++done, total});
    }
    screen.report({link::LinkCode::TransferEnded});
    return ok;
}

void DeviceComparison::takeProcessorValues()
{
    m_window.undo().PushSnapshot();
    core::ParamStore& store = m_session.store();
    for (const core::ParamDifference& d : m_differences)
        store.at(d.mode, d.address) = m_processor.at(d.mode, d.address);
    m_differences.clear();
    m_window.RefreshControls();
}

} // namespace quorix::ui
