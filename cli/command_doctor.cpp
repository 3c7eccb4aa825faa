#include "commands.h"
#include "processor_access.h"
#include "refusal_text.h"

#include "support/assumption_check.h"
#include "support/bundle_contents.h"
#include "support/device_survey.h"
#include "support/processor_probe.h"
#include "support/support_bundle.h"

#include "link/hidapi_backend.h"

#include <algorithm>
#include <iostream>

namespace quorix::cli {

namespace {

std::vector<std::string> OptionLines(const CliArgs& args)
{
    std::vector<std::string> lines = {"command: " + args.command};
    for (const auto& [name, value] : args.options)
        lines.push_back(name + (value.empty() ? "" : " " + value));
    return lines;
}

} // namespace

int CommandDoctor(const CliArgs& args)
{
    return WithProcessor(args, "doctor", false, [&](const ProcessorRun& run) {
        support::BundleContents contents;
        contents.program = std::string("quorix-cli ") + QUORIX_VERSION;
        contents.hidapiVersion = link::HidapiVersion();
        contents.options = OptionLines(args);

        std::string failure;
        contents.devices = support::SurveyDevices(run.backend, &failure);
        std::cout << "devices:\n";
        for (const support::SurveyedDevice& device : contents.devices)
            std::cout << "  " << support::SurveyLine(device) << '\n';
        if (contents.devices.empty())
            std::cout << "  none" << (failure.empty() ? "" : " (" + failure + ")") << '\n';

        const auto usable = std::find_if(contents.devices.begin(), contents.devices.end(), [](const auto& device) {
            return device.access == support::DeviceAccess::Opens;
        });
        bool allHold = false;
        support::ProcessorProbe probe(run.backend, run.scheduler, run.trace);
        support::ProbeRecord record;
        if (usable == contents.devices.end()) {
            std::cout << "no processor this user can open: nothing was probed\n";
        } else {
            std::cout << "assumptions, on " << usable->path << ":\n";
            record = probe.run(usable->path);
            const auto verdicts = support::CheckAssumptions(record);
            for (const support::Verdict& verdict : verdicts)
                std::cout << "  " << support::VerdictLine(verdict) << '\n';
            allHold = std::none_of(verdicts.begin(), verdicts.end(),
                                   [](const auto& verdict) { return verdict.outcome == support::Outcome::Fails; });
            contents.verdicts = verdicts;
            contents.counters = record.counters;
            contents.trace = probe.traceRing().text();
            if (!record.blocks.empty())
                contents.lastRead = &record.read;
        }
        if (const auto bundle = args.option("-o")) {
            if (const support::BundleSaved saved = support::SaveBundle(*bundle, support::BundleFiles(contents));
                !saved.ok()) {
                std::cerr << "quorix-cli doctor: the support bundle " << *bundle
                          << " was not written: " << (saved.save.failed() ? SaveFailureText(saved.save) : saved.packing)
                          << '\n';
                return 1;
            }
            std::cout << "support bundle written to " << *bundle << '\n';
        }
        return allHold ? 0 : 1;
    });
}

} // namespace quorix::cli
