#include "push_session.h"

#include "cli_link.h"
#include "untransferred_line.h"

#include "core/await_outcome.h"
#include "core/preset_name.h"

#include "core/param_diff.h"
#include "core/transferred_set.h"

namespace quorix::cli {

int PushConfiguration(link::HidBackend& backend, core::Scheduler& scheduler, const PushSettings& settings,
                      std::ostream& out, std::ostream& err)
{
    CliLink link(backend, scheduler, settings.trace, err);
    if (!link.connect(settings.searchLimitMs, settings.simulator))
        return 1;
    if (settings.preset) {
        link.view.currentPreset = static_cast<std::uint8_t>(*settings.preset);
        if (!core::AwaitOutcome<bool>(scheduler, [&](auto done) {
                link.device().readFromDevice(*settings.preset, false, link::Command::ReadBlock, std::move(done));
            })) {
            err << "recalling preset " << *settings.preset << " failed; nothing was written\n";
            return 1;
        }
    }
    link.image = settings.configuration;
    const int preset = link.view.currentPreset;
    if (!core::AwaitOutcome<bool>(scheduler,
                                  [&](auto done) { link.device().writeToDevice(preset, std::move(done)); })) {
        err << "writing to the processor failed\n";
        return 1;
    }
    if (!core::AwaitOutcome<bool>(scheduler, [&](auto done) {
            link.device().readFromDevice(preset, false, link::Command::ReadBlockBack, std::move(done));
        })) {
        err << "reading back from the processor failed\n";
        return 1;
    }
    link.device().stop();
    // The dance copies of shared parameters go singly after the read-back; each must have been answered.
    if (!link.record.inStep()) {
        err << link.record.unconfirmed().size() << " parameter(s) could not be confirmed on the processor\n";
        return 1;
    }
    const auto differences = core::TransferredDifferences(settings.configuration, link.store);
    if (!differences.empty()) {
        out << core::FormatDifferences(differences);
        err << "the processor holds " << differences.size() << " value(s) other than the file's\n";
        return 1;
    }
    out << "pushed the configuration to preset " << core::PresetName(preset) << " (" << preset << ") and read it back\n"
        << UntransferredLine(Transfer::Push);
    return 0;
}

} // namespace quorix::cli
