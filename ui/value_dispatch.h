#pragma once

#include "graph/graph_editor.h"
#include "graph/slider_fields.h"

#include "core/param_editor.h"
#include "core/scheduler.h"
#include "core/view_state.h"

#include <functional>
#include <memory>

namespace quorix::ui {

// What the value dispatch asks of the window around it: the response display's
// points and the few controls a change moves besides the one the user touched.
class DispatchHost {
public:
    virtual ~DispatchHost() = default;
    // The page's bypass flag changed: the graph redraws its banner.
    virtual void bypassChanged() = 0;
    virtual void showSliderValue(int sliderIndex, int raw) = 0;
    virtual void setEffectWindowButtonEnabled(bool enabled) = 0;
    virtual int toneLabel() const = 0;
    virtual void setToneLabel(int value) = 0;
};

struct DispatchLinks {
    // The edit path: mode rule, mirror, undo step and the queued write.
    core::ParamEditor& editor;
    // A fader bound to a graph point edits through the graph, which selects the point.
    graph::GraphEditor& graph;
    const core::ViewState& view;
    core::Scheduler& scheduler;
    std::function<bool()> online;
};

// What the main window does with a change the user made on one of its bound
// controls: which parameter it edits with which undo step, the graph point it
// moves and the few controls it moves besides. The window turns widget events
// into these calls with plain values; nothing here waits.
class ValueDispatch {
public:
    static constexpr int kToneResetMs = 500;

    enum class OptionGroup { FBX, FBX2, Input };

    ValueDispatch(DispatchLinks links, DispatchHost& host);

    // A slider moved; eqIndex is the graph point it is bound to, -1 for none.
    void sliderScrolled(int address, int eqIndex, const graph::SliderFields& fields);
    // A filter-type drop-down changed; its filter is drawn as graph point `point`.
    void filterTypeClicked(int address, int value, int point);
    // The reverb-mode drop-down changed: modes 1..4 bring their presets.
    void reverbModeClicked(int address, int value);
    void buttonClicked(int address, int value);
    void muteClicked(int address, int value);
    void singleMuteClicked(int index, int value);
    void optionClicked(OptionGroup group, int index);
    void byPassClicked(int value);
    // ToneAdd / ToneSub: the label moves within 2..8, then applyTone.
    void toneStep(bool up);
    void applyTone(int step);

    // The reverb presets of the reverb-mode drop-down: high cut, low cut, time, pre-delay.
    static constexpr int kReverbPresetSliders[4] = {140, 135, 138, 139};
    static constexpr int kReverbPresetAddresses[4] = {782, 781, 788, 784};
    static constexpr int kReverbPresets[4][4] = {
        {9982, 80, 543, 0}, {10156, 118, 630, 0}, {9808, 160, 700, 0}, {9112, 153, 575, 0}};

private:
    DispatchLinks m_links;
    DispatchHost& m_host;
    std::unique_ptr<core::Timer> m_toneReset;
};

} // namespace quorix::ui
