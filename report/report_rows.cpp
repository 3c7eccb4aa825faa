#include "report_rows.h"

#include "tables/combo_items.h"

#include "core/address_map.h"
#include "core/param_description.h"
#include "core/value_scales.h"
#include "core/value_text.h"

namespace quorix::report {

namespace {

std::string BandText(const core::ParamRecord& r)
{
    const char* shape = r.band.shape == 0 ? "PK" : r.band.shape == 2 ? "HS" : "LS";
    const int q = r.band.shape == 0 ? r.band.qIndex : r.band.shelfQIndex;
    std::string text = std::string(shape) + " " + core::FrequencyText(core::ClampFrequencyIndex(r.band.freqIndex)) +
                       " Hz " + core::GainText(r.band.gain) + " dB " + (r.band.shape == 0 ? "Q " : "S ") +
                       core::QText(core::ClampQIndex(q));
    return r.band.bandOff ? text + " (关)" : text;
}

std::string ValueText(const core::ParamRecord& r, int address)
{
    if (r.paramClass == core::ParamClass::EqBand)
        return BandText(r);
    const core::ParamDescription& d = core::DescribeParam(address);
    if (d.kind == core::ParamKind::List)
        return std::string(tables::ComboText(d.list, r.value));
    if (d.kind != core::ParamKind::Scaled)
        return std::to_string(r.value);
    // The value the processor is sent and the graph draws, even where the slider stops short of it.
    const core::ScaledValue value = core::ScaledPosition(d, r.value);
    std::string text = core::ScaleText(d.scale, value.position);
    if (value.position < 0 || value.position > d.positions)
        text += " (超出滑块范围)";
    return value.inverted ? text + " (反相)" : text;
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
        if (!store.at(0, a).defined)
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
