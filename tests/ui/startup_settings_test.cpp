#include "ui/frm_effect_controls.h"
#include "ui/frm_rec_controls.h"
#include "ui/frm_set_controls.h"
#include "ui/startup_settings.h"

#include "core/param_store.h"
#include "core/tag_address.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include <string>
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
    int level(int n) const { return store.at(0, kCommon + n).Value; }
    // Maxima 70, 60, 50 and power-on levels 40, 30, 20.
    void SetUp() override
    {
        for (int k = 0; k < 3; ++k) {
            store.at(0, kCommon + 8 + k).Value = 70 - 10 * k;
            store.at(0, kCommon + 5 + k).Value = 40 - 10 * k;
        }
    }
};

TEST_F(Pairing, LoweringAMaximumBelowItsPowerOnLevelPullsItDownAndWritesBoth)
{
    settings.LevelScrolled(1, 12); // maximum microphone level, its power-on level is 30
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
    settings.LevelScrolled(5, 65); // power-on effect level, its maximum is 50
    EXPECT_EQ(level(7), 50);
    EXPECT_EQ(shown, (std::vector<std::pair<int, int>>{{5, 50}}));
    EXPECT_EQ(writes, (std::vector<int>{kCommon + 7}));
}

TEST_F(Pairing, ChangesWithinTheirPairsStoreAndWriteOnlyThemselves)
{
    const std::pair<int, int> moves[] = {{3, 70}, {0, 75}, {2, 20}, {4, 0}};
    for (const auto& [slider, value] : moves) {
        writes.clear();
        settings.LevelScrolled(slider, value);
        const int address = StartupSettings::kLevelAddresses[static_cast<std::size_t>(slider)];
        EXPECT_EQ(store.at(0, address).Value, value) << slider;
        EXPECT_EQ(writes, std::vector<int>{address}) << slider;
    }
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(maxima.back(), (std::vector<int>{75, 60, 20}));
}

TEST_F(Pairing, ADropDownStoresItsItemNumberAndWritesIt)
{
    settings.ComboClicked(kCommon + 0x27, 2);
    EXPECT_EQ(level(0x27), 2);
    EXPECT_EQ(writes, std::vector<int>{kCommon + 0x27});
    EXPECT_THROW(settings.LevelScrolled(6, 1), std::out_of_range);
}

TEST(SecondaryTables, EveryControlBindsADefinedParameterAndEveryTextFitsItsWindow)
{
    for (const ui::WindowLayout& layout : {ui::FrmSetLayout(), ui::FrmRecLayout(), ui::FrmEffectLayout()}) {
        for (const ui::ControlSpec& spec : layout.controls) {
            int address = core::ParseTagAddress(spec.tag);
            if (spec.kind == ui::ControlKind::ComboBox)
                address = static_cast<int>(core::ParseTagNumber(spec.tag).value_or(-1));
            ASSERT_GE(address, 0) << spec.tag;
            EXPECT_TRUE(core::DefaultParamStore().at(0, address).Defined) << spec.tag;
            // The windows show mode index 0: what they edit is shared by both modes or global.
            EXPECT_FALSE(core::DefaultParamStore().at(0, address).PerMode) << spec.tag;
        }
        for (const ui::ArtText& text : layout.art) {
            EXPECT_LE(text.x + text.width, layout.width) << std::string(text.text);
            EXPECT_LE(text.y + text.pixelSize + 6, layout.height) << std::string(text.text);
        }
    }
    const ui::ControlTable set = ui::FrmSetLayout().controls;
    for (int i = 0; i < StartupSettings::kLevelCount; ++i) {
        const auto slider = std::find_if(set.begin(), set.end(), [i](const ui::ControlSpec& s) {
            return s.array == ui::ControlArray::MyScrollBar && s.index == i;
        });
        ASSERT_NE(slider, set.end());
        EXPECT_EQ(core::ParseTagAddress(slider->tag), StartupSettings::kLevelAddresses[static_cast<std::size_t>(i)]);
    }
}

} // namespace
