#include "report_rows.h"

#include "tables/combo_items.h"
#include "tables/tuning_window_table.h"

#include "core/address_map.h"
#include "core/rounding.h"
#include "core/value_scales.h"
#include "core/value_text.h"

#include <map>

namespace quorix::report {

namespace {

// The slider or drop-down bound to each address of the main window, for its scale or its items.
const std::map<int, const tables::ControlRow*>& ControlsByAddress()
{
    static const std::map<int, const tables::ControlRow*> controls = [] {
        std::map<int, const tables::ControlRow*> byAddress;
        for (const tables::ControlRow& row : tables::TuningWindowTable())
            if ((row.kind == tables::ControlKind::Slider && row.array == tables::ControlArray::MyScrollBar) ||
                row.kind == tables::ControlKind::ComboBox)
                byAddress.emplace(row.address, &row);
        return byAddress;
    }();
    return controls;
}

// The sliders that keep a polarity flag in the raw value.
bool CarriesPolarity(const tables::ControlRow& s)
{
    return s.scrollBarType == 0 ||
           ((s.scrollBarType == 2 || s.scrollBarType == 3 || s.scrollBarType == 7) && s.hScrollSize == 3);
}

std::string BandText(const core::ParamRecord& r)
{
    const char* shape = r.band.Shape == 0 ? "PK" : r.band.Shape == 2 ? "HS" : "LS";
    const int q = r.band.Shape == 0 ? r.band.QIndex : r.band.ShelfQIndex;
    std::string text = std::string(shape) + " " + core::FrequencyText(core::ClampFrequencyIndex(r.band.FreqIndex)) + " Hz " +
                       core::GainText(r.band.Gain) + " dB " + (r.band.Shape == 0 ? "Q " : "S ") +
                       core::QText(core::ClampQIndex(q));
    return r.band.BandOff ? text + " (关)" : text;
}

std::string ValueText(const core::ParamRecord& r, int address)
{
    if (r.Class == core::ParamClass::EqBand)
        return BandText(r);
    const auto& controls = ControlsByAddress();
    const auto it = controls.find(address);
    if (it == controls.end())
        return std::to_string(r.Value);
    const tables::ControlRow& s = *it->second;
    if (s.kind == tables::ControlKind::ComboBox)
        return std::string(tables::ComboText(s.showType, r.Value));
    float raw = static_cast<float>(r.Value);
    bool inverted = false;
    if (CarriesPolarity(s)) {
        const core::PolaritySplit split = core::SplitPolarity(raw);
        raw = split.raw;
        inverted = split.inverted;
    }
    // The value the processor is sent and the graph draws, even where the slider stops short of it.
    const int position = core::RoundHalfEven(core::ScaleRawToPosition(s.valueType, raw));
    std::string text = core::ScaleText(s.valueType, position);
    if (position != core::RawToSliderPosition(s.valueType, raw, s.maxValue))
        text += " (超出滑块范围)";
    return inverted ? text + " (反相)" : text;
}

} // namespace

std::vector<ReportRow> PageRows(const core::ParamStore& store, int kind, const core::ProcessorRecord* record)
{
    const auto text = [&](int mode, int a) {
        std::string value = ValueText(store.at(mode, a), a);
        if (record && record->state(mode, a) == core::CopyState::Unreadable)
            value += kNeverReadMark;
        return value;
    };
    std::vector<ReportRow> rows;
    for (int a = core::KindFirst(kind); a <= core::KindLast(kind); ++a) {
        if (!store.at(0, a).Defined)
            continue;
        std::string name(core::ParamName(kind, a - kind * 256));
        ReportRow row{name.empty() ? std::string("#").append(std::to_string(a - kind * 256)) : name, text(0, a), {}};
        const std::string dance = text(1, a);
        if (dance != row.singing)
            row.dance = dance;
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace quorix::report
