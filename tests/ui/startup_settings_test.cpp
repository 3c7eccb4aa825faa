#include "ui/startup_settings.h"

#include "tables/startup_settings_table.h"

#include "core/param_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include <utility>
#include <vector>

using namespace quorix;
using ui::StartupSettings;

namespace {

constexpr int kCommon = core::kCommonBase;

// The window around the pairing, recorded, with the store and the writes.
struct Pairing : ::testing::Test, ui::StartupSettingsHost {
    core::ParamStore store = core::DefaultParamStore();
    core::ViewState view;
    struct Writes final : core::ParamWriter {
        std::vector<int> addresses;
        void queueWrite(int, int address) override { addresses.push_back(address); }
    } link;
    std::vector<int>& writes = link.addresses;
    core::ParamEditor edits{store, view, link};
    std::vector<std::pair<int, int>> shown;
    std::vector<std::vector<int>> maxima;
    StartupSettings settings{edits, *this};

    void showLevel(int slider, int value) override { shown.emplace_back(slider, value); }
    void setMasterMaxima(int music, int microphone, int effect) override
    {
        maxima.push_back({music, microphone, effect});
    }
    int level(int n) const { return store.at(0, kCommon + n).value; }
    // Maxima 70, 60, 50 and power-on levels 40, 30, 20.
    void SetUp() override
    {
        for (int k = 0; k < 3; ++k) {
            store.at(0, kCommon + 8 + k).value = 70 - 10 * k;
            store.at(0, kCommon + 5 + k).value = 40 - 10 * k;
        }
    }
};

TEST_F(Pairing, LoweringAMaximumBelowItsPowerOnLevelPullsItDownAndWritesBoth)
{
    settings.levelScrolled(1, 12); // maximum microphone level, its power-on level is 30
    EXPECT_EQ(level(9), 12);
    EXPECT_EQ(level(6), 12);
    EXPECT_EQ(level(5), 40); // the other pairs were within their maxima
    EXPECT_EQ(level(7), 20);
    EXPECT_EQ(shown, (std::vector<std::pair<int, int>>{{4, 12}}));
    EXPECT_EQ(writes, (std::vector<int>{kCommon + 6, kCommon + 9}));
    EXPECT_EQ(maxima, (std::vector<std::vector<int>>{{70, 12, 50}}));
}

TEST_F(Pairing, APowerOnLevelAboveItsMaximumSnapsBackBeforeItIsStored)
{
    settings.levelScrolled(5, 65); // power-on effect level, its maximum is 50
    EXPECT_EQ(level(7), 50);
    EXPECT_EQ(shown, (std::vector<std::pair<int, int>>{{5, 50}}));
    EXPECT_EQ(writes, (std::vector<int>{kCommon + 7}));
}

TEST_F(Pairing, ChangesWithinTheirPairsStoreAndWriteOnlyThemselves)
{
    const std::pair<int, int> moves[] = {{3, 70}, {0, 75}, {2, 20}, {4, 0}};
    for (const auto& [slider, value] : moves) {
        writes.clear();
        settings.levelScrolled(slider, value);
        const int address = StartupSettings::kLevelAddresses[static_cast<std::size_t>(slider)];
        EXPECT_EQ(store.at(0, address).value, value) << slider;
        EXPECT_EQ(writes, std::vector<int>{address}) << slider;
    }
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(maxima.back(), (std::vector<int>{75, 60, 20}));
}

TEST_F(Pairing, ADropDownStoresItsItemNumberAndWritesIt)
{
    settings.comboClicked(kCommon + 0x27, 2);
    EXPECT_EQ(level(0x27), 2);
    EXPECT_EQ(writes, std::vector<int>{kCommon + 0x27});
    EXPECT_THROW(settings.levelScrolled(6, 1), std::out_of_range);
}

TEST(StartupSettingsTable, EachLevelSliderEditsTheLevelThePairingKnowsItBy)
{
    const tables::ControlTable set = tables::StartupSettingsTable().controls;
    for (int i = 0; i < StartupSettings::kLevelCount; ++i) {
        const auto slider = std::find_if(set.begin(), set.end(), [i](const tables::ControlRow& s) {
            return s.array == tables::ControlArray::MyScrollBar && s.index == i;
        });
        ASSERT_NE(slider, set.end());
        EXPECT_EQ(slider->address, StartupSettings::kLevelAddresses[static_cast<std::size_t>(i)]);
    }
}

} // namespace
