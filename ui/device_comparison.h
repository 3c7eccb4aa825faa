#pragma once

#include "core/param_diff.h"
#include "core/param_store.h"

#include <string_view>
#include <vector>

namespace quorix::ui {

class ConsoleServices;
class Prompter;
class TuningWindow;

inline constexpr std::string_view kDeviceOfflineMessage = "设备未联机！无法进行该操作。";
inline constexpr std::string_view kNoDifferenceMessage = "界面与设备的参数一致，没有差异。";

// The screen against what the processor runs: a scratch read of the processor's
// working set, the differences, and the two ways of bringing them into step.
class DeviceComparison {
public:
    DeviceComparison(ConsoleServices& session, TuningWindow& window, Prompter& prompter);

    // Offline: says so and returns false. Online: reads the processor into the
    // scratch image (the store, the view and the undo history stay as they are)
    // and returns whether the read completed.
    bool compare();
    const std::vector<core::ParamDifference>& differences() const { return m_differences; }

    // One write per differing parameter (a shared one once), with the progress bar.
    bool writeScreenToProcessor();
    // The processor's values into the store as one undo step, then the screen refreshed.
    void takeProcessorValues();

private:
    // The differing parameters as (mode index, flat address), a shared one only at mode 0.
    std::vector<std::pair<int, int>> differingParameters() const;

    ConsoleServices& m_session;
    TuningWindow& m_window;
    Prompter& m_prompter;
    core::ParamStore m_processor;
    std::vector<core::ParamDifference> m_differences;
};

} // namespace quorix::ui
