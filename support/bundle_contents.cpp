#include "bundle_contents.h"

#include "core/config_file.h"

#ifndef _WIN32
#include <sys/utsname.h>
#endif

namespace quorix::support {

namespace {

std::string Versions(const BundleContents& contents)
{
    std::string text = "program: " + contents.program + "\n";
    if (!contents.qtVersion.empty())
        text += "qt: " + contents.qtVersion + "\n";
    text += "hidapi: " + contents.hidapiVersion + "\n";
    text += "system: " + SystemVersion() + "\n";
    return text;
}

std::string Devices(const BundleContents& contents)
{
    std::string text;
    for (const SurveyedDevice& device : contents.devices)
        text += SurveyLine(device) + "\n";
    if (contents.devices.empty())
        text = "no processor found\n";
    for (const SurveyedDevice& device : contents.devices)
        if (!device.descriptor.empty())
            text += "descriptor " + device.path + ": " + Hex(device.descriptor) + "\n";
    return text;
}

std::string Counters(const link::LinkCounters& counters)
{
    return "bad-checksums: " + std::to_string(counters.badChecksums) +
           "\nunexpected-frames: " + std::to_string(counters.unexpectedFrames) +
           "\nretries: " + std::to_string(counters.retries) + "\nlink-losses: " + std::to_string(counters.linkLosses) +
           "\ndevice-refusals: " + std::to_string(counters.deviceRefusals) + "\n";
}

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

} // namespace

std::string SystemVersion()
{
#ifdef _WIN32
    return "Windows";
#else
    utsname name{};
    if (uname(&name) != 0)
        return "unknown";
    return std::string(name.sysname) + " " + name.release + " " + name.machine;
#endif
}

std::vector<BundleFile> BundleFiles(const BundleContents& contents)
{
    std::string readme = "Quorix support bundle\n\n"
                         "versions.txt      the program, Qt, hidapi and the system\n"
                         "devices.txt       the processors found, whether they open, their report descriptors\n"
                         "counters.txt      what went wrong on the link: bad checksums, unexpected frames,\n"
                         "                  retries, link losses, refused devices\n"
                         "trace.txt         the last ten minutes of the protocol trace, password digits masked\n"
                         "options.txt       the program's options\n";
    std::vector<BundleFile> files;
    files.push_back(TextFile("versions.txt", Versions(contents)));
    files.push_back(TextFile("devices.txt", Devices(contents)));
    if (contents.verdicts) {
        std::string doctor;
        for (const Verdict& verdict : *contents.verdicts)
            doctor += VerdictLine(verdict) + "\n";
        files.push_back(TextFile("doctor.txt", doctor));
        readme += "doctor.txt        each assumption about the processor, its verdict and what decided it\n";
    } else {
        readme += "(no doctor.txt: the doctor did not run)\n";
    }
    files.push_back(TextFile("trace.txt", contents.trace));
    files.push_back(TextFile("counters.txt", Counters(contents.counters)));
    if (contents.screen) {
        files.push_back({"screen.quorix", core::EncodeConfiguration(*contents.screen)});
        readme += "screen.quorix     the configuration on the screen\n";
    }
    if (contents.lastRead) {
        files.push_back({"last-read.quorix", core::EncodeConfiguration(*contents.lastRead)});
        readme += "last-read.quorix  what the last read brought from the processor\n";
    } else {
        readme += "(no last-read.quorix: nothing was read from a processor)\n";
    }
    files.push_back(TextFile("options.txt", Lines(contents.options)));
    files.insert(files.begin(), TextFile("README.txt", readme));
    return files;
}

} // namespace quorix::support
