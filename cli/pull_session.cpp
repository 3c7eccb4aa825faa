#include "pull_session.h"

#include "cli_host.h"

#include "link/device_link.h"

#include "core/address_map.h"
#include "core/config_file.h"

namespace quorix::cli {

namespace {

constexpr const char* kPresetNames[] = {"KTV", "PRO", "SPCH", "USER1", "USER2", "USER3", "USER4", "USER5"};

} // namespace

int PullConfiguration(link::HidBackend& backend, core::Scheduler& scheduler, const PullSettings& settings,
                      std::ostream& out, std::ostream& err)
{
    core::ParamStore store;
    core::ParamStore image;
    core::ViewState view;
    core::DigitBuffer digits;
    core::InitParamStore(store, image);
    CliHost host(err);
    link::DeviceLink device(backend, scheduler, {store, image, view, digits}, host, settings.trace);
    device.start();

    const auto started = scheduler.nowMs();
    while (!host.synchronisation()) {
        if (!device.LinkOnline() && !device.ReplyWaitActive() && scheduler.nowMs() - started > settings.searchLimitMs) {
            err << "no processor answered within " << settings.searchLimitMs / 1000 << " s"
                << (settings.simulator ? "" : " (is it plugged in, and may this user open its hidraw node?)") << '\n';
            return 1;
        }
        scheduler.processPendingEvents();
    }
    device.stop();
    if (!*host.synchronisation()) {
        err << "the synchronisation with the processor failed; nothing was written\n";
        return 1;
    }

    const auto saved = core::SaveConfigurationFile(settings.output, store);
    if (!saved.ok) {
        err << saved.message << '\n';
        return 1;
    }
    const int preset = view.CurrentPreset;
    out << "pulled preset " << (preset >= 0 && preset < 8 ? kPresetNames[preset] : "?") << " (" << preset
        << ") from the processor into " << settings.output.string() << '\n';
    return 0;
}

} // namespace quorix::cli
