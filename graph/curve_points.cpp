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
        if (store.at(mode, a).paramClass != cls)
            continue;
        CurvePoint p;
        p.type = low ? LowPassPoint : HighPassPoint;
        p.address = a;
        p.slot = static_cast<std::uint8_t>(page.points.size());
        int frequency = 0;
        if (a + 1 < core::kAddressCount && store.at(mode, a + 1).paramClass == cls) {
            p.twoAddress = true;
            p.filterType = store.at(mode, a).value;
            frequency = store.at(mode, a + 1).value;
            p.sliderIndex = sliderFor(a + 1);
            ++a;
        } else {
            p.filterType = !low && (kind == core::Mic12 || kind == core::Mic34) ? 1 : 0;
            frequency = store.at(mode, a).value;
            p.sliderIndex = sliderFor(a);
        }
        const bool off = frequency == core::kFrequencyIndexOffLow || (low && frequency == core::kFrequencyIndexOffHigh);
        p.band.freqIndex =
            off ? frequency : std::clamp(frequency, core::kFrequencyIndexLowest, core::kFrequencyIndexHighest);
        page.points.push_back(p);
    }
}

} // namespace

PagePoints BuildCurvePoints(const core::ParamStore& store, const core::ViewState& view,
                            const std::function<int(int address)>& sliderFor)
{
    PagePoints page;
    const int kind = view.currentKind;
    const int mode = view.currentMode;
    const auto range = GraphAddressRange(kind, view.effectsSubPage);
    for (int a = range.first; a <= range.second && page.points.size() < kMaxCurvePoints; ++a) {
        const core::ParamRecord& r = store.at(mode, a);
        if (r.paramClass != core::ParamClass::EqBand)
            continue;
        CurvePoint p;
        p.type = EqBandPoint;
        p.band.freqIndex = r.band.freqIndex;
        p.band.gain = r.band.gain;
        p.band.qIndex = r.band.qIndex;
        p.band.shelfQIndex = r.band.shelfQIndex;
        p.band.shape = r.band.shape;
        p.address = a;
        p.band.bandOff = r.band.bandOff;
        p.sliderIndex = sliderFor(a);
        p.slot = static_cast<std::uint8_t>(page.points.size());
        page.points.push_back(p);
    }
    if (!page.points.empty() && view.autoModeControl == 1)
        page.locked = store.at(0, page.points.front().address).perMode;
    AddFilters(page, store, mode, range, kind, sliderFor, core::ParamClass::HighPass);
    AddFilters(page, store, mode, range, kind, sliderFor, core::ParamClass::LowPass);
    return page;
}

} // namespace quorix::graph
