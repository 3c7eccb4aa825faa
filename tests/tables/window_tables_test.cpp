#include "tables/effect_window_table.h"
#include "tables/recording_window_table.h"
#include "tables/screen_names.h"
#include "tables/startup_settings_table.h"
#include "tables/tuning_window_table.h"

#include "core/address_map.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using namespace quorix;
using tables::Action;
using tables::ControlArray;
using tables::ControlKind;
using tables::ControlRow;

namespace {

const ControlRow* Find(tables::ControlTable table, ControlArray array, int index, std::string_view name = {})
{
    for (const ControlRow& row : table)
        if (row.array == array && row.index == index && row.name == name)
            return &row;
    return nullptr;
}

std::vector<tables::WindowTable> SecondaryTables()
{
    return {tables::StartupSettingsTable(), tables::RecordingWindowTable(), tables::EffectWindowTable()};
}

std::string Describe(const ControlRow& row)
{
    return std::to_string(static_cast<int>(row.array)) + " " + std::to_string(row.index) + " " + std::string(row.name);
}

} // namespace

TEST(TuningWindowTable, EveryBoundControlBelongsToItsPageAndNoControlIsDeclaredTwice)
{
    std::set<std::tuple<ControlArray, std::string_view, int>> seen;
    for (const ControlRow& row : tables::TuningWindowTable()) {
        EXPECT_TRUE(seen.insert({row.array, row.name, row.index}).second) << Describe(row);
        if (row.kind == ControlKind::Slider) {
            EXPECT_NE(row.address, tables::kUnbound) << Describe(row);
        }
        if (row.address == tables::kUnbound)
            continue;
        EXPECT_TRUE(core::DefaultParamStore().at(0, row.address).defined) << row.address;
        // A page's own parameters, or a processor-wide one (its mutes and option groups).
        const int kind = core::KindOfAddress(row.address);
        EXPECT_TRUE(kind == row.page || kind == core::Common) << Describe(row) << " at " << row.address;
    }
}

TEST(TuningWindowTable, TypedAddressesKeepTheBindingsTheTagsNamed)
{
    const struct {
        ControlArray array;
        int index;
        int address;
    } cases[] = {
        {ControlArray::MyScrollBar, 128, 783}, // "Group,3,&HF"
        {ControlArray::MyScrollBar, 181, 276}, // "EQF,1,&H14"
        {ControlArray::MyScrollBar, 8, 5},     // "EQ,0,5"
        {ControlArray::MyComboBox, 0, 1030},   // "EQT,4,6"
        {ControlArray::MyScrollBar, 0, 2560},  // "Common,10,0"
        {ControlArray::MyMute, 0, 2576},       // "&HA10"
        {ControlArray::MyMute, 5, 2581},       // "&HA15"
        {ControlArray::MyBTN, 7, 1792 + 0x19}, // "Group,7,&H19"
    };
    for (const auto& c : cases) {
        const ControlRow* row = Find(tables::TuningWindowTable(), c.array, c.index);
        ASSERT_NE(row, nullptr) << c.index;
        EXPECT_EQ(row->address, c.address) << c.index;
    }
    const ControlRow* maximum = Find(tables::StartupSettingsTable().controls, ControlArray::MyScrollBar, 0);
    ASSERT_NE(maximum, nullptr);
    EXPECT_EQ(maximum->address, 2568); // "Common,10,8"
}

TEST(TuningWindowTable, EveryControlTheUserCanChangeNamesWhatItDoes)
{
    std::set<int> muteButtons;
    for (const ControlRow& row : tables::TuningWindowTable()) {
        if (row.action == Action::OutputMute || row.action == Action::MasterMute)
            muteButtons.insert(row.address);
        switch (row.kind) {
        case ControlKind::Slider:
            EXPECT_EQ(row.action, Action::None) << Describe(row); // a slider always stores its value
            break;
        case ControlKind::ComboBox:
            EXPECT_TRUE(row.action == Action::FilterType || row.action == Action::ReverbMode) << Describe(row);
            if (row.action == Action::FilterType) {
                EXPECT_GE(row.filterPoint, 0) << Describe(row);
                EXPECT_LE(row.filterPoint, 16) << Describe(row);
            }
            break;
        case ControlKind::Button:
            // Only the tone step and the preset on show are indicators the window sets itself.
            EXPECT_EQ(row.action == Action::None, row.name == "ToneLabel" || row.name == "cmdPreShow") << Describe(row);
            break;
        }
        if (row.action == Action::StoreValue || row.action == Action::OutputMute || row.action == Action::FilterType ||
            row.action == Action::ReverbMode) {
            EXPECT_NE(row.address, tables::kUnbound) << Describe(row);
        }
    }
    // Every level slider coloured by a mute shows the flag of a mute button.
    for (const ControlRow& row : tables::TuningWindowTable())
        if (row.muteAddress != 0) {
            EXPECT_TRUE(muteButtons.contains(row.muteAddress)) << Describe(row);
        }
}

// The committed skin: the folder QUORIX_SKIN_DIR names in the environment (a
// cross-built test runs where the source tree has another name), else the source tree's.
std::filesystem::path SkinFolder()
{
    if (const char* folder = std::getenv("QUORIX_SKIN_DIR"); folder && *folder)
        return folder;
    return QUORIX_SKIN_DIR;
}

TEST(WindowTables, EveryImageIdNamesACommittedSkinImage)
{
    std::vector<int> ids;
    for (const ControlRow& row : tables::TuningWindowTable()) {
        if (row.kind == ControlKind::Button) {
            EXPECT_FALSE(row.images.empty()) << Describe(row);
        }
        ids.insert(ids.end(), row.images.begin(), row.images.end());
    }
    for (const tables::WindowTable& table : SecondaryTables())
        ids.push_back(table.background);
    ids.push_back(tables::TuningWindowGeometry::kBackground);
    ids.push_back(tables::TuningWindowGeometry::kPanelBackground);
    for (const int id : ids) {
        EXPECT_GE(id, 101);
        EXPECT_LE(id, 500); // the skin cache's slots
        EXPECT_TRUE(std::filesystem::exists(SkinFolder() / (std::to_string(id) + ".png"))) << id;
    }
}

TEST(SecondaryTables, EveryControlBindsADefinedParameterAndEveryTextFitsItsWindow)
{
    for (const tables::WindowTable& table : SecondaryTables()) {
        std::set<std::pair<ControlArray, int>> seen;
        for (const ControlRow& row : table.controls) {
            EXPECT_TRUE(seen.insert({row.array, row.index}).second) << table.objectName << " " << Describe(row);
            ASSERT_GE(row.address, 0) << Describe(row);
            EXPECT_TRUE(core::DefaultParamStore().at(0, row.address).defined) << row.address;
            // The windows show mode index 0: what they edit is shared by both modes or global.
            EXPECT_FALSE(core::DefaultParamStore().at(0, row.address).perMode) << row.address;
        }
        for (const tables::ArtText& text : table.art) {
            EXPECT_LE(text.x + text.width, table.width) << std::string(text.text);
            EXPECT_LE(text.y + text.pixelSize + 6, table.height) << std::string(text.text);
        }
    }
}

// What the comparison and the report print: a page and a parameter by the names the screen shows.
TEST(ScreenNames, EveryKindAndEveryBoundCommonParameterHasAName)
{
    for (int kind = 0; kind < core::kKindCount; ++kind) {
        const std::string page = tables::PageName(kind);
        EXPECT_NE(page, std::to_string(kind));
        EXPECT_EQ(page.find_first_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos)
            << page;
    }
    for (const ControlRow& row : tables::TuningWindowTable())
        if (row.address >= core::kCommonBase && !row.label.empty())
            EXPECT_NE(tables::ParamScreenLabel(row.address).find(' '), std::string::npos) << row.address;
    EXPECT_EQ(tables::ParamScreenLabel(2), "0x02 EQ3") << "a name of the address map stands";
}
