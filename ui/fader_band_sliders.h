#pragma once

#include "graph/band_sliders.h"

#include <vector>

namespace quorix::controls {
class SkinnedFader;
} // namespace quorix::controls

namespace quorix::ui {

// The graph's view of a window's band faders (in control-array order).
class FaderBandSliders final : public graph::BandSliders {
public:
    explicit FaderBandSliders(std::vector<controls::SkinnedFader*> sliders) : m_sliders(std::move(sliders)) {}

    int sliderFor(int address) const override;
    void bindPoint(int slider, int pointIndex) override;
    void showBand(int slider, const core::Band& band) override;
    void showValue(int slider, int value) override;
    void highlightSelected(int first, int last, int selectedPoint) override;

private:
    controls::SkinnedFader* at(int slider) const;

    std::vector<controls::SkinnedFader*> m_sliders;
};

} // namespace quorix::ui
