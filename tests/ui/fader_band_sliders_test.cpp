#include "ui/fader_band_sliders.h"

#include "tests/graph/graph_fixture.h"

#include "controls/skinned_fader.h"
#include "graph/response_display.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace quorix::ui {
namespace {

using graph::ResponseDisplay;

TEST(FaderBandSliders, BindShowAndHighlightTheSlidersOfThePage)
{
    GraphFixture f;
    std::vector<std::unique_ptr<controls::SkinnedFader>> owned;
    std::vector<controls::SkinnedFader*> array;
    for (int band = 0; band < 3; ++band) {
        owned.push_back(std::make_unique<controls::SkinnedFader>());
        owned.back()->setKind(controls::FaderKind::Band);
        owned.back()->address = band;
        array.push_back(owned.back().get());
    }
    FaderBandSliders sliders(array);
    f.links.sliders = &sliders;
    ResponseDisplay display(f.links);
    display.resizeGraph(800, 300);
    display.refreshAllCurves(true);
    EXPECT_EQ(array[2]->pointIndex, 2);
    EXPECT_FLOAT_EQ(array[0]->value(), 330); // the band's gain
    EXPECT_EQ(array[0]->band().freqIndex, f.store.at(0, 0).band.freqIndex);
    display.selectPoint(1);
    EXPECT_TRUE(array[1]->forceShowFocus());
    EXPECT_FALSE(array[0]->forceShowFocus());
    EXPECT_EQ(sliders.sliderFor(2), 2);
    EXPECT_EQ(sliders.sliderFor(99), -1);
}

} // namespace
} // namespace quorix::ui
