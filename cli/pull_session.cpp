#include "pull_session.h"

#include "cli_link.h"
#include "refusal_text.h"
#include "untransferred_line.h"

#include "core/preset_name.h"

#include "core/config_file.h"

namespace quorix::cli {

int PullConfiguration(link::HidBackend& backend, core::Scheduler& scheduler, const PullSettings& settings,
                      std::ostream& out, std::ostream& err)
{
    CliLink link(backend, scheduler, settings.trace, err);
    if (!link.connect(settings.searchLimitMs, settings.simulator))
        return 1;
    link.device().stop();
    // A trace that lost lines fails the pull, which then writes nothing; the caller names the trace file.
    if (settings.trace && settings.trace->fail())
        return 1;

    const auto saved = core::SaveConfigurationFile(settings.output, link.store);
    if (!saved.ok) {
        err << ConfigFileText(saved) << '\n';
        return 1;
    }
    const int preset = link.view.currentPreset;
    out << "pulled preset " << core::PresetName(preset) << " (" << preset << ") from the processor into "
        << settings.output.string() << '\n'
        << UntransferredLine(Transfer::Pull);
    return 0;
}

} // namespace quorix::cli
