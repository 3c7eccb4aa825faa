#include "ui/control_factory.h"

#include "report/report_rows.h"
#include "tables/drop_down_list.h"
#include "tables/effect_window_table.h"
#include "tables/recording_window_table.h"
#include "tables/startup_settings_table.h"
#include "tables/tuning_window_table.h"

#include "controls/skinned_drop_down.h"
#include "controls/skinned_fader.h"

#include "core/address_map.h"
#include "core/param_description.h"
#include "core/param_display.h"
#include "core/value_scales.h"

#include <QWidget>

#include <memory>
#include <vector>

#include <gtest/gtest.h>

using namespace quorix;

namespace {

std::vector<tables::ControlTable> EveryTable()
{
    return {tables::TuningWindowTable(), tables::StartupSettingsTable().controls,
            tables::RecordingWindowTable().controls, tables::EffectWindowTable().controls};
}

const tables::ControlRow* SliderOf(int address)
{
    for (const tables::ControlRow& row : tables::TuningWindowTable())
        if (row.address == address && row.kind == tables::ControlKind::Slider && row.thumbVisible)
            return &row;
    return nullptr;
}

} // namespace

// A control's scale, range, polarity and list are its parameter's, the fixed ones
// of the level and band faders included, in every window.
TEST(ControlFactory, EveryControlShowsItsParameterAsTheDescriptionSays)
{
    QWidget parent;
    for (const tables::ControlTable table : EveryTable())
        for (const tables::ControlRow& row : table) {
            if (row.address == tables::kUnbound || row.kind == tables::ControlKind::Button)
                continue;
            const core::ParamDescription& d = core::DescribeParam(row.address);
            std::unique_ptr<QWidget> widget(ui::CreateControl(row, &parent, {}));
            if (auto* combo = qobject_cast<controls::SkinnedDropDown*>(widget.get())) {
                EXPECT_EQ(d.kind, core::ParamKind::List) << row.address;
                EXPECT_EQ(combo->showType(), tables::DropDownList(row)) << row.address;
                if (row.showType == tables::kParamList)
                    EXPECT_EQ(combo->showType(), d.list) << row.address;
                continue;
            }
            auto* fader = qobject_cast<controls::SkinnedFader*>(widget.get());
            ASSERT_NE(fader, nullptr) << row.address;
            if (fader->kind() == controls::FaderKind::Band) {
                EXPECT_EQ(d.kind, core::ParamKind::Band) << row.address;
                continue;
            }
            ASSERT_EQ(d.kind, core::ParamKind::Scaled) << row.address;
            EXPECT_EQ(fader->valueType(), d.scale) << row.address;
            EXPECT_EQ(fader->maxValue(), d.positions) << row.address;
            fader->setValue(core::kPolarityOffset + 1.0f);
            EXPECT_EQ(fader->polarityInverted(), d.polarity) << row.address;
        }
}

// The report, quorix-cli and the fader print one value alike: the fader its
// number, the report the same with its marks, the command line with its unit.
TEST(ControlFactory, TheFaderTheReportAndTheCommandLinePrintOneValueAlike)
{
    const struct {
        int kind, menuAddress;
        std::int32_t raw;
        const char* shown; // on the fader and in the report
        bool inverted;
        const char* unit; // quorix-cli's text
    } cases[] = {
        {core::Mic12, 0x10, 35, "-3.5", false, "-3.5dB"},
        {core::Mic12, 0x11, 40, "4.0", false, "4.0:1"},
        {core::Mic12, 0x12, 90, "45.0", false, "45.0ms"},
        {core::Mic34, 0x14, 200, "200%", false, "200%"},
        {core::MusicInput, 0x0F, 0, "OFF", false, "OFF"},
        {core::MusicInput, 0x0F, 86, "101", false, "101Hz"},
        {core::Mic12, 0x14, 300, "6230", false, "6.23KHz"},
        {core::Mic12, 0x14, 362, "OFF", false, "OFF"},
        {core::Effects, 0x05, 30, "-20", false, "-20"},
        {core::Effects, 0x14, 120, "1200", false, "1200ms"},
        {core::MainOutput, 0x00, 80, "80%", false, "80%"},
        {core::MainOutput, 0x00, 300, "50%", true, "50% inverted"},
        {core::MainOutput, 0x16, 120, "12.0", false, "12.0ms"},
        {core::SubOutput, 0x10, 300, "-16.0", false, "-16.0dB"},
    };
    core::ParamStore store = core::DefaultParamStore();
    QWidget parent;
    for (const auto& c : cases) {
        const int address = core::FlatAddress(c.kind, c.menuAddress);
        const std::string what = std::to_string(address) + " = " + std::to_string(c.raw);
        store.at(0, address).value = c.raw;

        const tables::ControlRow* row = SliderOf(address);
        ASSERT_NE(row, nullptr) << what;
        std::unique_ptr<QWidget> widget(ui::CreateControl(*row, &parent, {}));
        auto* fader = qobject_cast<controls::SkinnedFader*>(widget.get());
        fader->setValue(static_cast<float>(c.raw));
        EXPECT_EQ(core::ScaleText(fader->valueType(), fader->position()), c.shown) << what;
        EXPECT_EQ(fader->polarityInverted(), c.inverted) << what;
        EXPECT_EQ(fader->value(), static_cast<float>(c.raw)) << what << ": the fader gives back what it took";

        EXPECT_EQ(core::ParamValueText(c.kind, c.menuAddress, c.raw), c.unit) << what;

        const std::string name(core::ParamName(c.kind, c.menuAddress));
        bool found = false;
        for (const report::ReportRow& r : report::PageRows(store, c.kind))
            if (r.name == name) {
                EXPECT_EQ(r.singing, std::string(c.shown) + (c.inverted ? " (反相)" : "")) << what;
                found = true;
            }
        EXPECT_TRUE(found) << what;
    }
}
