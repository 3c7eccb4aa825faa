#include "refusal_text.h"

#include "platform/utf8_path.h"

#include <array>
#include <cstdio>

namespace quorix::cli {

namespace {

constexpr std::array<const char*, 10> kFieldNames = {"Class",  "Value",       "Shape",   "FreqIndex", "Gain",
                                                     "QIndex", "ShelfQIndex", "Defined", "PerMode",   "BandOff"};

} // namespace

std::string RecordFaultText(const core::RecordFault& f)
{
    const std::string field = kFieldNames[static_cast<std::size_t>(f.field)];
    switch (f.rule) {
    case core::RecordRule::OutOfRange:
        return field + " " + std::to_string(f.value) + " is not within " + std::to_string(f.lowest) + " to " +
               std::to_string(f.highest);
    case core::RecordRule::DiffersFromMap:
        return field + " is " + std::to_string(f.value) + " where the address map has " + std::to_string(f.lowest);
    case core::RecordRule::NotABoolean:
        break;
    }
    return field + " is " + std::to_string(f.value) + ", a boolean must be 0 or -1";
}

std::string ConfigFileText(const core::ConfigFileResult& r)
{
    const std::string path = platform::PathToUtf8(r.path);
    switch (r.problem) {
    case core::ConfigFileProblem::None:
        return {};
    case core::ConfigFileProblem::Unreadable:
        return path + ": cannot be read";
    case core::ConfigFileProblem::WrongSize:
        return path + ": " + std::to_string(r.size) + " bytes, but a configuration file has " +
               std::to_string(core::kConfigFileSize) + "; not a configuration file";
    case core::ConfigFileProblem::BadRecord: {
        char where[96];
        std::snprintf(where, sizeof where, "record %zu (offset %zu, address 0x%03zX, mode %zu)", r.record,
                      r.record * core::kConfigRecordSize, r.record / core::kModeCount, r.record % core::kModeCount);
        return path + ": " + where + " is not one the console writes: " + RecordFaultText(r.fault);
    }
    case core::ConfigFileProblem::NotSaved:
        break;
    }
    return "cannot save " + path + ": " + SaveFailureText(r.saveFailure);
}

std::string SaveFailureText(const core::SaveFailure& failure)
{
    switch (failure.problem) {
    case core::SaveProblem::None:
        return {};
    case core::SaveProblem::NotARegularFile:
        return "not a regular file";
    case core::SaveProblem::ReadOnly:
        return "read-only, or not writable by this user";
    case core::SaveProblem::System:
        break;
    }
    return failure.error.message();
}

} // namespace quorix::cli
