#include "graph_fixture.h"

#include "graph/response_plot.h"

#include "controls/skinned_fader.h"

#include "controls/skin_cache.h"

#include "core/value_text.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>

#include <functional>
#include <limits>

#include <gtest/gtest.h>

using namespace quorix;
using namespace quorix::graph;

namespace {

struct Plot : ::testing::Test, GraphFixture {
    std::unique_ptr<ResponsePlot> plot;

    void make(int kind)
    {
        view.currentKind = kind;
        plot = std::make_unique<ResponsePlot>(links);
        plot->resize(800, 300);
        plot->show();
        plot->display().refreshAllCurves(false);
        clock.advance(1);
    }
    QImage frame() { return plot->frame(); }
    // Whether the frame holds the skin image `id` with its top-left corner at (x, y).
    bool imageAt(int id, int x, int y)
    {
        const QImage* skin = controls::SkinCache::instance().image(id);
        const QImage f = frame();
        int matching = 0;
        int opaque = 0;
        for (int row = 0; row < skin->height(); ++row)
            for (int col = 0; col < skin->width(); ++col) {
                const QColor s = skin->pixelColor(col, row);
                if (s.alpha() < 255)
                    continue;
                ++opaque;
                matching += f.pixelColor(x + col, y + row) == s ? 1 : 0;
            }
        return opaque > 0 && matching * 10 >= opaque * 9;
    }
    std::pair<int, int> markerAt(int j)
    {
        const auto& g = plot->display().geometry();
        const auto& p = plot->display().points()[static_cast<std::size_t>(j)];
        const int x = core::RoundHalfEven(g.frequencyToX(core::FrequencyAt(p.band.freqIndex)));
        const int y = p.type == EqBandPoint ? core::RoundHalfEven(g.gainToY(p.band.gain)) : g.zeroY;
        return {x, y};
    }
};

} // namespace

TEST_F(Plot, ALockedGraphShowsGreyDotsAndAGreyTotal)
{
    view.autoModeControl = 1;
    make(0);
    ASSERT_TRUE(plot->display().locked());
    const auto [x, y] = markerAt(1);
    EXPECT_TRUE(imageAt(279, x - 6, y - 6));
    const auto& g = plot->display().geometry();
    const int column = 400;
    const int total =
        core::RoundHalfEven(g.dbToY(plot->display().curves().total()[static_cast<std::size_t>(column - 40)]));
    const QColor c = frame().pixelColor(column, total);
    EXPECT_EQ(c.red(), c.green());
    EXPECT_EQ(c.green(), c.blue());
}

TEST_F(Plot, TheSelectedMarkerAndItsLabel)
{
    make(0);
    plot->display().selectPoint(4);
    clock.advance(1);
    const auto [x, y] = markerAt(4);
    EXPECT_TRUE(imageAt(325 + 4, x - 16, y - 16));
    const auto [ox, oy] = markerAt(9);
    EXPECT_TRUE(imageAt(342 + 9, ox - 8, oy - 8));
    // The label's text lies right of the marker.
    const QImage f = frame();
    int bright = 0;
    for (int row = y - 16; row < y + 20; ++row)
        for (int col = x + 15; col < x + 60; ++col)
            bright += f.pixelColor(col, row).lightness() > 150 ? 1 : 0;
    EXPECT_GT(bright, 20);
}

TEST_F(Plot, ALabelNearTheRightEdgeMovesLeft)
{
    store.at(0, 14).band.freqIndex = 361; // EQ15 at 20.2 kHz
    make(0);
    plot->display().selectPoint(14);
    clock.advance(1);
    const auto [x, y] = markerAt(14);
    const QImage f = frame();
    int leftText = 0;
    for (int row = y - 16; row < y + 20; ++row)
        for (int col = x - 55; col < x - 20; ++col)
            leftText += f.pixelColor(col, row).lightness() > 150 ? 1 : 0;
    EXPECT_GT(leftText, 20);
}

TEST_F(Plot, AnOffFilterIsFlatAndSaysOff)
{
    make(0);
    const int highPass = static_cast<int>(plot->display().points().size()) - 1;
    plot->display().selectPoint(highPass);
    clock.advance(1);
    for (int i = 0; i < plot->display().curves().pointCount(); i += 40)
        EXPECT_EQ(plot->display().curves().column(highPass)[i], 0.0f);
    const auto [x, y] = markerAt(highPass);
    EXPECT_TRUE(imageAt(325 + 16, x - 16, y - 16));
    const QImage f = frame();
    int text = 0;
    for (int row = y - 22; row < y - 8; ++row)
        for (int col = x - 10; col < x + 12; ++col)
            text += f.pixelColor(col, row).lightness() > 150 ? 1 : 0;
    EXPECT_GT(text, 10);
}

TEST_F(Plot, TheBypassBannerFollowsThePagesBypassFlag)
{
    make(4);
    const auto& g = plot->display().geometry();
    EXPECT_FALSE(imageAt(226, g.width / 2 - 100, g.height / 3));
    store.at(0, 2560 + 0x16 + 4).value = 1;
    plot->drawFrame();
    EXPECT_TRUE(imageAt(226, g.width / 2 - 100, g.height / 3));
}

TEST_F(Plot, EverySizeFromOnePixelDrawsAndEditsSafely)
{
    make(0);
    for (const QSize size : {QSize(1, 1), QSize(2, 30), QSize(10, 10), QSize(45, 20), QSize(46, 19), QSize(47, 1),
                             QSize(100, 18), QSize(300, 2)}) {
        plot->resize(size);
        QApplication::processEvents();
        plot->display().refreshAllCurves(false);
        clock.advance(1);
        const auto [x, y] = markerAt(4);
        plot->editor().press(x, y, GraphEditor::Left);
        plot->editor().drag(x + 3, y + 3);
        plot->editor().release();
        plot->editor().pressKey(GraphEditor::EditKey::Up);
        clock.advance(1);
        EXPECT_EQ(plot->frame().size(), size);
    }
}

// The release of a held key or button goes elsewhere when the plot loses the focus,
// is hidden or closed, or shows another page: each ends the press as a release would.
TEST_F(Plot, APressEndsWhenThePlotLosesItsKeyOrButtonRelease)
{
    const std::pair<const char*, std::function<void(ResponsePlot&)>> endings[] = {
        {"focus lost",
         [](ResponsePlot& p) {
             QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
             QApplication::sendEvent(&p, &out);
         }},
        {"hidden", [](ResponsePlot& p) { p.hide(); }},
        {"closed", [](ResponsePlot& p) { p.close(); }},
        {"page changed",
         [this](ResponsePlot& p) {
             view.currentKind = 1;
             p.display().refreshAllCurves(false);
         }},
    };
    for (const auto& [name, end] : endings) {
        SCOPED_TRACE(name);
        view.currentKind = 0;
        make(0);
        plot->display().selectPoint(4);
        QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(plot.get(), &right);
        clock.advance(300); // moving by now
        const auto [x, y] = markerAt(8);
        plot->editor().press(x, y, GraphEditor::Left);
        end(*plot);
        EXPECT_FALSE(plot->editor().arrowHeld());
        EXPECT_FALSE(plot->editor().dragging());
        const int music = store.at(0, 4).band.freqIndex;
        const core::ParamRecord dragged = store.at(0, 8);
        clock.advance(1000);
        writes.clear();
        clock.advance(1000);
        plot->editor().drag(x + 100, y - 50);
        EXPECT_EQ(store.at(0, 4).band.freqIndex, music);
        EXPECT_EQ(store.at(0, 8).band.freqIndex, dragged.band.freqIndex);
        EXPECT_EQ(store.at(0, 8).band.gain, dragged.band.gain);
        EXPECT_TRUE(writes.empty());
    }
}

// What a file may hold that no control makes: pages without any point, and records
// whose every field lies at the ends of its 32-bit range.
TEST_F(Plot, PagesWithoutPointsAndWildRecordsDrawAndEditSafely)
{
    constexpr std::int32_t kLow = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kHigh = std::numeric_limits<std::int32_t>::max();
    for (int fill : {0x00, 0xFF}) {
        SCOPED_TRACE(fill);
        for (int mode = 0; mode < core::kModeCount; ++mode)
            for (int a = 0; a < core::kAddressCount; ++a)
                store.at(mode, a) = {static_cast<core::ParamClass>(fill),
                                     -fill,
                                     static_cast<std::uint8_t>(fill),
                                     -fill,
                                     -fill,
                                     -fill,
                                     -fill,
                                     fill != 0,
                                     fill != 0,
                                     fill != 0};
        make(1);
        EXPECT_TRUE(plot->display().points().empty());
        plot->editor().pressKey(GraphEditor::EditKey::Up);
        plot->editor().resetPoints();
        clock.advance(1000);
        for (int i = 0; i < plot->display().curves().pointCount(); ++i)
            ASSERT_EQ(plot->display().curves().total()[static_cast<std::size_t>(i)], 0.0f);
    }
    core::InitParamStore(store, image);
    for (int a = 0; a < 15; ++a) {
        core::ParamRecord& r = store.at(0, a);
        r.band.gain = a % 2 ? kLow : kHigh;
        r.band.freqIndex = a % 3 ? kHigh : kLow;
        r.band.qIndex = a % 2 ? kHigh : kLow;
        r.band.shelfQIndex = a % 2 ? kLow : kHigh;
        r.band.shape = static_cast<std::uint8_t>(a % 4 == 0 ? 255 : a % 3);
    }
    store.at(0, 0x0F).value = kHigh;
    make(0);
    for (int j = 0; j < static_cast<int>(plot->display().points().size()); ++j) {
        plot->display().selectPoint(j);
        for (GraphEditor::EditKey key :
             {GraphEditor::EditKey::Up, GraphEditor::EditKey::Down, GraphEditor::EditKey::Home,
              GraphEditor::EditKey::End, GraphEditor::EditKey::Right})
            plot->editor().pressKey(key);
        clock.advance(300);
        plot->editor().releaseKey(GraphEditor::EditKey::Right);
        const auto [x, y] = markerAt(j);
        plot->editor().press(x, y, GraphEditor::Right);
        plot->editor().drag(x + 20, y);
        plot->editor().release();
        clock.advance(1);
    }
    for (int i = 0; i < plot->display().curves().pointCount(); ++i)
        ASSERT_TRUE(std::isfinite(plot->display().curves().total()[static_cast<std::size_t>(i)]));
    EXPECT_EQ(core::GainText(kLow), "-214748389.8");
    EXPECT_EQ(plot->display().geometry().gainToY(kLow), plot->display().geometry().bottom);
    EXPECT_EQ(plot->display().geometry().gainToY(kHigh), PlotGeometry::kTop);
}

TEST_F(Plot, AxisLabelsStayInsideThePlot)
{
    make(0);
    for (const QSize size : {QSize(980, 520), QSize(800, 300), QSize(1920, 700)}) {
        plot->resize(size);
        QApplication::processEvents();
        const auto& g = plot->display().geometry();
        const QImage f = frame();
        const int top = core::RoundHalfEven(g.dbToY(-25.5f));
        int outside = 0;
        for (int y = top; y < std::min(top + 16, g.height); ++y)
            for (int x = g.right + 1; x < g.width; ++x) {
                const QColor c = f.pixelColor(x, y);
                outside += c.lightness() > 100 && std::abs(c.red() - c.blue()) < 12 ? 1 : 0; // the labels' grey
            }
        EXPECT_EQ(outside, 0) << size.width() << "x" << size.height();
    }
}

// Each frame restores only what the last one drew; after any run of edits, fades,
// pulses and banners it must equal a frame drawn over a whole copy of the layer below.
TEST_F(Plot, AFrameRestoredInPartsEqualsOneDrawnWhole)
{
    make(0);
    const auto drawnWhole = [this] {
        const QImage parts = frame().copy();
        plot->display().onInactiveChanged(); // a new layer below: the next frame copies it whole
        plot->drawFrame();
        return parts == frame();
    };
    const auto& g = plot->display().geometry();
    for (int j : {4, 14, 0, 15, 7}) {
        const auto [x, y] = markerAt(j);
        plot->editor().press(x, y, GraphEditor::Left);
        for (int step = 0; step < 6; ++step) {
            plot->editor().drag(x + 40 * step, g.dbToY(step % 2 ? 11.5f : -23.5f));
            clock.advance(1);
        }
        plot->editor().release();
        EXPECT_TRUE(drawnWhole()) << "after dragging point " << j;
        store.at(0, 2560 + 0x16).value = j % 2; // the bypass banner comes and goes
        for (int tick = 0; tick < 5; ++tick)
            plot->display().linkTicked();
        clock.advance(700 + 70 * 8);
        EXPECT_TRUE(drawnWhole()) << "after the fade of point " << j;
    }
}
