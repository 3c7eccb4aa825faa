#pragma once

#include "graph/band_sliders.h"
#include "graph/graph_editor.h"
#include "graph/response_display.h"

#include "core/address_map.h"
#include "core/manual_scheduler.h"
#include "core/param_editor.h"
#include "core/rounding.h"
#include "core/undo_history.h"
#include "core/value_tables.h"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Sliders that only remember what the graph told them.
struct FakeSliders : quorix::graph::BandSliders {
    std::map<int, int> byAddress; // address -> slider
    std::map<int, int> bound;     // slider -> point
    std::map<int, int> values;    // slider -> value shown
    std::map<int, bool> highlighted;
    int sliderFor(int address) const override
    {
        const auto it = byAddress.find(address);
        return it == byAddress.end() ? -1 : it->second;
    }
    void bindPoint(int slider, int point) override { bound[slider] = point; }
    void showBand(int slider, const quorix::core::Band& band) override { values[slider] = band.gain; }
    void showValue(int slider, int value) override { values[slider] = value; }
    void highlightSelected(int, int, int selected) override
    {
        for (auto& [slider, point] : bound)
            highlighted[slider] = point == selected;
    }
};

// The link's queue as the edit path sees it: the writes handed to it while online.
struct FakeWriteQueue final : quorix::core::ParamWriter {
    const quorix::core::ViewState& view;
    bool online = true;
    std::vector<std::pair<int, int>> queued; // mode, address
    std::vector<int> writes;                 // addresses written for the mode on show
    // What runs when a write is handed over (timers, clicks, other replies).
    std::function<void()> duringWrite;

    explicit FakeWriteQueue(const quorix::core::ViewState& shown) : view(shown) {}
    void queueWrite(int mode, int address) override
    {
        if (!online)
            return;
        queued.emplace_back(mode, address);
        if (mode == quorix::core::ModeForAddress(address, view.currentMode))
            writes.push_back(address);
        if (duringWrite)
            duringWrite();
    }
};

// A store, a virtual clock, a fake link and the display with its editor.
struct GraphFixture {
    quorix::core::ParamStore store;
    quorix::core::ParamStore image;
    quorix::core::ViewState view;
    quorix::core::ManualScheduler clock;
    quorix::core::UndoHistory undo{store, view, clock};
    FakeSliders sliders;
    FakeWriteQueue link{view};
    bool& online = link.online;
    std::vector<int>& writes = link.writes;
    std::function<void()>& duringWrite = link.duringWrite;
    quorix::core::ParamEditor edits{store, view, link, &undo};
    int frames = 0;
    quorix::graph::DisplayLinks links{store, view, clock, edits, &sliders};
    quorix::graph::ResponseDisplay display{links};
    quorix::graph::GraphEditor editor{display, links};

    GraphFixture()
    {
        quorix::core::InitParamStore(store, image);
        display.onFrame = [this] {
            ++frames;
            display.frameDrawn();
        };
        display.resizeGraph(800, 300);
    }

    void showPage(int kind, int third = 0)
    {
        view.currentKind = kind;
        view.effectsSubPage = static_cast<std::uint8_t>(third);
        display.refreshAllCurves(false);
        clock.advance(1);
        writes.clear();
    }

    // Where point j's marker sits.
    std::pair<double, double> marker(int j) const
    {
        const auto& g = display.geometry();
        const auto& p = display.points()[static_cast<std::size_t>(j)];
        const double x = g.frequencyToX(quorix::core::FrequencyAt(p.band.freqIndex));
        const double y = p.type == quorix::graph::EqBandPoint ? g.gainToY(p.band.gain) : g.zeroY;
        return {x, y};
    }
};
