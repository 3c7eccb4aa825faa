#pragma once

#include "tests/scripted_prompter.h"

#include "ui/mode_control.h"
#include "ui/value_dispatch.h"

#include "graph/graph_editor.h"
#include "graph/response_display.h"

#include "core/address_map.h"
#include "core/manual_scheduler.h"
#include "core/param_editor.h"
#include "core/undo_history.h"

#include <string>
#include <vector>

// The window around the dispatch and the mode control, recorded.
struct RecordingWindow : quorix::ui::DispatchHost, quorix::ui::ModeHost {
    std::vector<std::pair<int, int>> sliderValues;
    bool effectButtonEnabled = true;
    int tone = 5;
    int refreshes = 0;
    std::vector<int> pagesShown;
    int bypassRedraws = 0;
    int mode[2] = {1, 0};
    int autoButtons[2] = {1, 0};
    bool blocked = false;

    void bypassChanged() override { ++bypassRedraws; }
    void showModeValues() override { ++refreshes; }
    void showSliderValue(int slider, int raw) override { sliderValues.emplace_back(slider, raw); }
    void setEffectWindowButtonEnabled(bool enabled) override { effectButtonEnabled = enabled; }
    int toneLabel() const override { return tone; }
    void setToneLabel(int value) override { tone = value; }
    void showModeButtons(int singing, int dance) override
    {
        mode[0] = singing;
        mode[1] = dance;
    }
    void showAutoButtons(int manual, int automatic) override
    {
        autoButtons[0] = manual;
        autoButtons[1] = automatic;
    }
    void showPage(int kind) override { pagesShown.push_back(kind); }
    void highlightBoundSlider() override {}
    void setEditingBlocked(bool value) override { blocked = value; }
};

// The link's write queue, recorded: what it takes while online.
struct RecordingLink final : quorix::core::ParamWriter {
    bool online = true;
    std::vector<std::pair<int, int>> writes; // address, mode index
    void queueWrite(int mode, int address) override
    {
        if (online)
            writes.emplace_back(address, mode);
    }
};

// A default store, the view, the undo history and a link that records its writes.
struct DispatchFixture {
    quorix::core::ManualScheduler clock;
    quorix::core::ParamStore store;
    quorix::core::ParamStore image;
    bool laidOut = (quorix::core::InitParamStore(store, image), true); // before anything reads the store
    quorix::core::ViewState view;
    quorix::core::UndoHistory undo{store, view, clock};
    RecordingWindow window;
    ScriptedPrompter prompter;
    RecordingLink link;
    bool& online = link.online;
    std::vector<std::pair<int, int>>& writes = link.writes;
    quorix::core::ParamEditor edits{store, view, link, &undo};
    quorix::graph::ResponseDisplay display{{store, view, clock, edits}};
    quorix::graph::GraphEditor graph{display, {store, view, clock, edits}};
    quorix::ui::ValueDispatch dispatch{{edits, graph, view, clock, [this] { return online; }}, window};
    quorix::core::ProcessorRecord record;
    quorix::ui::ModeControl modes{edits, view, record, window, prompter};
};
