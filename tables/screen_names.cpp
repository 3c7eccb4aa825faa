#include "screen_names.h"

#include "effect_window_table.h"
#include "recording_window_table.h"
#include "startup_settings_table.h"
#include "tuning_window_table.h"

#include "core/param_diff.h"

#include <cstdio>

namespace quorix::tables {

std::string PageName(int kind)
{
    switch (kind) {
    case 8:
        return "左录音";
    case 9:
        return "右录音";
    case 10:
        return "公共设置";
    default:
        break;
    }
    for (const ControlRow& row : TuningWindowTable())
        if (row.array == ControlArray::CmdPage && row.index == kind)
            return std::string(row.label);
    return std::to_string(kind);
}

namespace {

std::string_view ControlLabel(int address)
{
    const ControlTable tables[] = {TuningWindowTable(), StartupSettingsTable().controls,
                                   RecordingWindowTable().controls, EffectWindowTable().controls};
    for (const ControlTable& table : tables)
        for (const ControlRow& row : table)
            if (row.address == address && !row.label.empty())
                return row.label;
    return {};
}

} // namespace

std::string ParamScreenLabel(int address)
{
    std::string label = core::ParamLabel(address);
    if (label.find(' ') != std::string::npos)
        return label;
    const std::string_view control = ControlLabel(address);
    return control.empty() ? label : label + " " + std::string(control);
}

std::string ScreenModeName(int mode, int address)
{
    if (address >= core::kFirstGlobalAddress)
        return "—";
    return mode == 0 ? "演唱" : "劲舞";
}

std::vector<std::string> ScreenDifferenceLines(const std::vector<core::ParamDifference>& differences)
{
    std::vector<std::string> lines;
    for (const core::ParamDifference& d : differences)
        lines.push_back(PageName(d.kind()) + " " + ScreenModeName(d.mode, d.address) + " " +
                        ParamScreenLabel(d.address) + " " + d.field + ": " + d.left + " -> " + d.right);
    return lines;
}

} // namespace quorix::tables
