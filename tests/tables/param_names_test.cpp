#include "tables/control_label.h"
#include "tables/effect_window_table.h"
#include "tables/recording_window_table.h"
#include "tables/startup_settings_table.h"
#include "tables/tuning_window_table.h"

#include "core/address_map.h"
#include "core/param_diff.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

using namespace quorix;
using tables::ControlRow;

namespace {

std::vector<tables::ControlTable> EveryWindow()
{
    return {tables::TuningWindowTable(), tables::StartupSettingsTable().controls,
            tables::RecordingWindowTable().controls, tables::EffectWindowTable().controls};
}

// A button of an option group is labelled by its choice ("FBX 2", "输入 3"), not by the parameter.
bool IsChoice(const ControlRow& row)
{
    return row.action == tables::Action::ChooseOption;
}

std::string Where(const ControlRow& row)
{
    return std::to_string(static_cast<int>(row.array)) + "[" + std::to_string(row.index) + "] " +
           std::string(row.name) + " at " + std::to_string(row.address);
}

} // namespace

// The report, the comparison and quorix-cli diff print ParamLabel; the window shows ControlLabel.
TEST(ParameterNames, EveryParameterInEveryWindowHasExactlyOneNameAndItIsTheOnePrinted)
{
    std::map<int, std::set<std::string>> shown;
    for (const tables::ControlTable table : EveryWindow())
        for (const ControlRow& row : table) {
            if (row.address == tables::kUnbound || !row.thumbVisible)
                continue;
            EXPECT_FALSE(core::ParamName(core::KindOfAddress(row.address), row.address % 256).empty()) << Where(row);
            if (IsChoice(row))
                continue;
            EXPECT_TRUE(row.label.empty()) << Where(row) << " carries a name of its own: " << row.label;
            shown[row.address].insert(std::string(tables::ControlLabel(row)));
        }
    for (const auto& [address, names] : shown) {
        ASSERT_EQ(names.size(), 1u) << address;
        const std::string& name = *names.begin();
        EXPECT_FALSE(name.empty()) << address;
        const std::string printed = core::ParamLabel(address);
        EXPECT_EQ(printed.substr(printed.find(' ') + 1), name) << address;
    }

    // Once printed under another control's name.
    const struct {
        int kind, menuAddress;
        const char* name;
    } reported[] = {
        {core::Mic12, 0x00, "高通频点"},
        {core::Mic12, 0x14, "低通频点"},
        {core::Mic34, 0x14, "通道音量"},
    };
    for (const auto& r : reported)
        EXPECT_EQ(*shown.at(core::FlatAddress(r.kind, r.menuAddress)).begin(), r.name)
            << r.kind << " " << r.menuAddress;
}

TEST(ParameterNames, NoTwoParametersOfAKindShareAName)
{
    for (int kind = 0; kind < core::kKindCount; ++kind) {
        std::set<std::string_view> names;
        for (int a = core::KindFirst(kind); a <= core::KindLast(kind); ++a) {
            const std::string_view name = core::ParamName(kind, a % 256);
            EXPECT_TRUE(name.empty() || names.insert(name).second) << kind << ": " << name;
        }
    }
}
