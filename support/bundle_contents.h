#pragma once

#include "assumption_check.h"
#include "device_survey.h"
#include "support_bundle.h"

#include "link/link_state.h"

#include "core/param_store.h"

#include <optional>
#include <string>
#include <vector>

namespace quorix::support {

// What a support bundle holds, gathered by the console or by quorix-cli doctor.
// Nothing here may carry a password: the trace comes from the ring, which
// masks them, and the options are the program's command line.
struct BundleContents {
    std::string program;   // "quorix-console 1.2.0"
    std::string qtVersion; // empty where Qt is not used
    std::string hidapiVersion;
    std::vector<SurveyedDevice> devices;
    std::optional<std::vector<Verdict>> verdicts; // when the doctor ran
    std::string trace;
    link::LinkCounters counters;
    const core::ParamStore* screen = nullptr;   // the configuration on screen
    const core::ParamStore* lastRead = nullptr; // what the last read brought from the processor
    std::vector<std::string> options;
};

// The bundle's files: README.txt, versions.txt, devices.txt, doctor.txt,
// trace.txt, counters.txt, screen.quorix, last-read.quorix, options.txt; a
// part that is missing is said so in README.txt rather than left out silently.
std::vector<BundleFile> BundleFiles(const BundleContents& contents);

// The system's name and release, "Linux 6.1.0-13-amd64 x86_64".
std::string SystemVersion();

} // namespace quorix::support
