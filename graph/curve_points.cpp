#include "curve_points.h"

#include "core/address_map.h"
#include "core/value_tables.h"

#include <algorithm>

namespace quorix::graph {

std::pair<int, int> GraphAddressRange(int currentKind, int effectsSubPage)
{
    const int first = core::KindFirst(currentKind);
    const int last = core::KindLast(currentKind);
    if (currentKind != core::Effects)
        return {first, last};
    switch (effectsSubPage) {
    case 0:
        return {first, first + 12};
    case 1:
        return {first + 13, first + 30};
    default:
        return {first + 31, last};
    }
}

namespace {

void AddFilters(PagePoints& page, const core::ParamStore& store, int mode, std::pair<int, int> range, int kind,
                const std::function<int(int)>& sliderFor, core::ParamClass cls)
{
    const bool low = cls == core::ParamClass::LowPass;
    for (int a = range.first; a <= range.second && page.points.size() < kMaxCurvePoints; ++a) {
        if (store.at(mode, a).Class != cls)
            continue;
        CurvePoint p;
        p.Type = low ? LowPassPoint : HighPassPoint;
        p.Address = a;
        p.Slot = static_cast<std::uint8_t>(page.points.size());
        int frequency = 0;
        if (a + 1 < core::kAddressCount && store.at(mode, a + 1).Class == cls) {
            p.TwoAddress = true;
            p.FilterType = store.at(mode, a).Value;
            frequency = store.at(mode, a + 1).Value;
            p.SliderIndex = sliderFor(a + 1);
            ++a;
        } else {
            p.FilterType = !low && (kind == core::Mic12 || kind == core::Mic34) ? 1 : 0;
            frequency = store.at(mode, a).Value;
            p.SliderIndex = sliderFor(a);
        }
        const bool off = frequency == core::kFrequencyIndexOffLow || (low && frequency == core::kFrequencyIndexOffHigh);
        p.band.FreqIndex =
            off ? frequency : std::clamp(frequency, core::kFrequencyIndexLowest, core::kFrequencyIndexHighest);
        page.points.push_back(p);
    }
}

} // namespace

PagePoints BuildCurvePoints(const core::ParamStore& store, const core::ViewState& view,
                            const std::function<int(int address)>& sliderFor)
{
    PagePoints page;
    const int kind = view.CurrentKind;
    const int mode = view.CurrentMode;
    const auto range = GraphAddressRange(kind, view.EffectsSubPage);
    for (int a = range.first; a <= range.second && page.points.size() < kMaxCurvePoints; ++a) {
        const core::ParamRecord& r = store.at(mode, a);
        if (r.Class != core::ParamClass::EqBand)
            continue;
        CurvePoint p;
        p.Type = EqBandPoint;
        p.band.FreqIndex = r.band.FreqIndex;
        p.band.Gain = r.band.Gain;
        p.band.QIndex = r.band.QIndex;
        p.band.ShelfQIndex = r.band.ShelfQIndex;
        p.band.Shape = r.band.Shape;
        p.Address = a;
        p.band.BandOff = r.band.BandOff;
        p.SliderIndex = sliderFor(a);
        p.Slot = static_cast<std::uint8_t>(page.points.size());
        page.points.push_back(p);
    }
    if (!page.points.empty() && view.AutoModeControl == 1)
        page.locked = store.at(0, page.points.front().Address).PerMode;
    AddFilters(page, store, mode, range, kind, sliderFor, core::ParamClass::HighPass);
    AddFilters(page, store, mode, range, kind, sliderFor, core::ParamClass::LowPass);
    return page;
}

} // namespace quorix::graph
