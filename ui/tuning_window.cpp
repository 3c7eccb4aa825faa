#include "tuning_window.h"

#include "controls/qt_text.h"

#include "console_services.h"
#include "control_factory.h"
#include "edit_screen.h"
#include "graph_actions.h"
#include "graph_menu.h"
#include "link_screen.h"
#include "reconnect_read.h"
#include "page_panel.h"
#include "prompter.h"
#include "window_actions.h"
#include "window_sizing.h"

#include "tables/tuning_window_table.h"

#include "graph/response_plot.h"
#include "graph/scroll_bar_sliders.h"

#include "controls/skinned_progress_bar.h"
#include "controls/skinned_button.h"
#include "controls/skinned_drop_down.h"
#include "controls/skinned_fader.h"

#include <QMenu>

#include "link/device_link.h"

#include "core/address_map.h"
#include "core/processor_record.h"
#include "core/tuning_document.h"
#include "core/common_addresses.h"

namespace quorix::ui {

namespace {

using tables::ControlArray;
using Geometry = tables::TuningWindowGeometry;

constexpr int kSliderCount = 183;

} // namespace

TuningWindow::TuningWindow(ConsoleServices& session, Prompter& prompter, WindowActions& actions, QWidget* parent)
    : QWidget(parent), m_services(session), m_prompter(prompter), m_actions(actions),
      m_undo(session.document().undo()), m_edits(session.document().edits()), m_faderMarks(session.store(), session.view(), &session.record()),
      m_linkScreen(std::make_unique<LinkScreen>(*this, session.scheduler(), prompter, actions)),
      m_editScreen(std::make_unique<EditScreen>(*this, prompter)),
      m_sizing(std::make_unique<WindowSizing>(*this, Geometry::kTitleHeight, kSizingBand))
{
    setWindowTitle(controls::QtText(kCaptionOffline));
    setMinimumSize(Geometry::kDesignWidth, Geometry::kDesignHeight);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);

    // A reload starts from the defaults; the link keeps its state.
    core::InitParamStore(session.store(), session.image());
    session.record().reset();
    core::ViewState& view = session.view();
    view = core::ViewState{};
    m_undo.ResetUndo();

    const auto online = [&session] { return session.link().LinkOnline(); };
    m_dispatch = std::make_unique<ValueDispatch>(DispatchLinks{m_edits, view, session.scheduler(), online}, *m_editScreen);
    m_modes = std::make_unique<ModeControl>(m_edits, view, session.record(), *m_editScreen);

    createControls();
    resize(Geometry::kDesignWidth, Geometry::kDesignHeight);

    m_moveWindow = session.scheduler().createTimer(kMoveWindowMs, false,
                                                    [this] { m_sizing->hover(mapFromGlobal(QCursor::pos())); });
    m_delayedUnload = session.scheduler().createTimer(kDelayedUnloadMs, true, [this] { unload(); });
    m_reread = session.scheduler().createTimer(0, true, [this] {
        if (m_services.link().LinkOnline())
            m_services.link().readFromDevice(0, true, link::Command::ReadBlock, {});
    });
    m_moveWindow->start();

    m_reconnect = std::make_unique<ReconnectRead>(session, *this, prompter);
    session.link().setSynchronisation([this](link::TransferDone done) { m_reconnect->synchronise(std::move(done)); });
    // A value read or written since is no longer marked as the console's own.
    session.record().setListener([this](int, int) { update(); });
    session.setHost(m_linkScreen.get());
    session.link().start();
}

TuningWindow::~TuningWindow()
{
    m_services.link().setSynchronisation({});
    m_services.record().setListener({});
    if (!m_unloaded) {
        m_services.link().stop();
        m_services.setHost(nullptr);
    }
}

void TuningWindow::createControls()
{
    const controls::ControlContext context{&m_faderMarks, &m_services.scheduler()};
    m_background = new PagePanel(Geometry::kBackground, this);
    m_background->setAttribute(Qt::WA_TransparentForMouseEvents);
    for (int k = 0; k < 8; ++k) {
        PagePanel* panel = new PagePanel(Geometry::kPanelBackground, this);
        panel->setGeometry(Geometry::kPanelLeft, Geometry::kPanelTop, Geometry::kPanelWidth,
                           Geometry::kPanelHeight);
        panel->setVisible(k == 0);
        m_panels[static_cast<std::size_t>(k)] = panel;
    }
    m_strip = new PagePanel(0, this);
    m_sliderArray.assign(kSliderCount, nullptr);

    using tables::Anchor;
    for (const tables::ControlRow& row : tables::TuningWindowTable()) {
        QWidget* parent = this;
        if (row.anchor == Anchor::Panel)
            parent = m_panels[static_cast<std::size_t>(row.page)];
        else if (row.anchor == Anchor::Strip || row.anchor == Anchor::StripRight)
            parent = m_strip;
        QWidget* widget = CreateControl(row, parent, context);
        if (row.anchor == Anchor::Panel)
            m_panels[static_cast<std::size_t>(row.page)]->addLabel(row);
        else if (row.anchor == Anchor::Window)
            m_background->addLabel(row);
        m_controls[{row.array, row.name, row.index}] = widget;
        m_rows[widget] = &row;
        if (row.array == ControlArray::MyScrollBar)
            m_sliderArray[static_cast<std::size_t>(row.index)] = static_cast<controls::SkinnedFader*>(widget);
        connectControl(row, widget);
    }
    m_bandSliders = std::make_unique<graph::ScrollBarSliders>(m_sliderArray);
    m_plot = new graph::ResponsePlot(
        {m_services.store(), m_services.view(), m_services.scheduler(), m_edits, m_bandSliders.get()}, this);
    m_plot->editor().refreshControls = [this] { RefreshControls(); };
    m_graphActions = std::make_unique<GraphActions>(
        m_services, m_edits, m_prompter,
        GraphView{[this] { return m_plot->display().locked(); }, [this](int scale) { return m_plot->picture(scale); },
                  [this] { return m_plot->width(); }, [this] { RefreshControls(); }});
    connect(m_plot, &graph::ResponsePlot::menuRequested, this,
            [this](QPoint at) { CreateGraphMenu(*m_graphActions, this)->exec(at); });
    m_progress = new controls::SkinnedProgressBar(this);
    m_progress->hide();
}

void TuningWindow::connectControl(const tables::ControlRow& row, QWidget* widget)
{
    if (auto* s = qobject_cast<controls::SkinnedFader*>(widget)) {
        if (row.tVisible)
            connect(s, &controls::SkinnedFader::Scroll, this, [this, s] { sliderScrolled(s); });
        return;
    }
    std::function<void()> action = actionOf(row, widget);
    if (!action)
        return;
    if (auto* c = qobject_cast<controls::SkinnedDropDown*>(widget))
        connect(c, &controls::SkinnedDropDown::Click, this, std::move(action));
    else
        connect(static_cast<controls::SkinnedButton*>(widget), &controls::SkinnedButton::Click, this,
                std::move(action));
}

std::function<void()> TuningWindow::actionOf(const tables::ControlRow& row, QWidget* widget)
{
    using tables::Action;
    auto* b = qobject_cast<controls::SkinnedButton*>(widget);
    auto* c = qobject_cast<controls::SkinnedDropDown*>(widget);
    const int address = row.address;
    const int i = row.index;
    switch (row.action) {
    case Action::None:
        return {};
    case Action::StoreValue:
        return [this, b, address] { m_dispatch->ButtonClicked(address, b->Value()); };
    case Action::FilterType:
        return [this, c, address, point = row.filterPoint] {
            if (!m_modes->copying())
                m_dispatch->FilterTypeClicked(address, c->Value(), point);
        };
    case Action::ReverbMode:
        return [this, c, address] {
            if (!m_modes->copying())
                m_dispatch->ReverbModeClicked(address, c->Value());
        };
    case Action::OutputMute:
        return [this, b, address] { m_dispatch->MuteClicked(address, b->Value()); };
    case Action::MasterMute:
        return [this, b, i] { m_dispatch->SingleMuteClicked(i, b->Value()); };
    case Action::ChooseOption:
        return [this, array = row.array, i] { radioClicked(array, i); };
    case Action::ShowPage:
        return [this, i] { cmdPageClick(i); };
    case Action::ShowEffectsThird:
        return [this, i] { Command3Click(i); };
    case Action::ToneDown:
        return [this] { m_dispatch->ToneStep(false); };
    case Action::ToneUp:
        return [this] { m_dispatch->ToneStep(true); };
    case Action::Bypass:
        return [this, b] { m_dispatch->ByPassClicked(b->Value()); };
    case Action::ResetPoints:
        return [this] { m_plot->editor().ResetPoints(); };
    case Action::Minimise:
        return [this] { (parentWidget() ? parentWidget() : this)->showMinimized(); };
    case Action::Exit:
        return [this] { requestClose(CloseScope::Program); };
    case Action::ToggleLink:
        return [this] { m_services.link().ConnectButtonClicked(); };
    case Action::Undo:
        return [this] { m_modes->UndoClicked(); };
    case Action::Redo:
        return [this] { m_modes->RedoClicked(); };
    case Action::CopyMode:
        return [this] { m_modes->ModeCopyClicked(); };
    case Action::ChooseMode:
        return [this, i] { m_modes->ModeButtonClicked(i); };
    case Action::ChooseAutoControl:
        return [this, i] { m_modes->AutoControlClicked(i); };
    case Action::OpenFile:
        return [this] { m_actions.OpenConfigurationFile(); };
    case Action::SaveFile:
        return [this] { m_actions.SaveConfigurationFile(); };
    case Action::RecallPreset:
        return [this] { m_actions.ShowRecallMenu(); };
    case Action::StorePreset:
        return [this] { m_actions.ShowStoreMenu(); };
    case Action::ShowStartupSettings:
        return [this] { m_actions.ShowStartupSettings(); };
    case Action::ShowRecordingWindow:
        return [this] { m_actions.ShowRecordingWindow(); };
    case Action::ShowEffectWindow:
        return [this] { m_actions.ShowEffectWindow(); };
    }
    return {};
}

controls::SkinnedFader* TuningWindow::slider(int index) const
{
    return index >= 0 && index < kSliderCount ? m_sliderArray[static_cast<std::size_t>(index)] : nullptr;
}

controls::SkinnedButton* TuningWindow::button(ControlArray array, int index) const
{
    const auto it = m_controls.find({array, {}, index});
    return it == m_controls.end() ? nullptr : qobject_cast<controls::SkinnedButton*>(it->second);
}

controls::SkinnedButton* TuningWindow::named(std::string_view name, int index) const
{
    const auto it = m_controls.find({ControlArray::Named, name, index});
    return it == m_controls.end() ? nullptr : qobject_cast<controls::SkinnedButton*>(it->second);
}

controls::SkinnedDropDown* TuningWindow::combo(int index) const
{
    const auto it = m_controls.find({ControlArray::MyComboBox, {}, index});
    return it == m_controls.end() ? nullptr : qobject_cast<controls::SkinnedDropDown*>(it->second);
}

QWidget* TuningWindow::panel(int page) const
{
    return page >= 0 && page < 8 ? m_panels[static_cast<std::size_t>(page)] : nullptr;
}

void TuningWindow::sliderScrolled(controls::SkinnedFader* s)
{
    if (m_modes->copying())
        return;
    m_dispatch->SliderScrolled(s->Addr, s->EQindex, {s->Value(), s->band()});
}

void TuningWindow::setButtonsOf(ControlArray array, int pressed)
{
    for (int i = 0; controls::SkinnedButton* b = button(array, i); ++i)
        b->setValue(i == pressed ? 1 : 0);
}

void TuningWindow::radioClicked(ControlArray array, int index)
{
    setButtonsOf(array, index);
    m_dispatch->OptionClicked(array == ControlArray::OptionFBX    ? ValueDispatch::OptionGroup::FBX
                              : array == ControlArray::OptionFBX2 ? ValueDispatch::OptionGroup::FBX2
                                                                  : ValueDispatch::OptionGroup::Input,
                              index);
}

bool TuningWindow::inPage(int address) const
{
    const int kind = m_services.view().CurrentKind;
    return address >= core::KindFirst(kind) && address <= core::KindLast(kind);
}

void TuningWindow::cmdPageClick(int page)
{
    setButtonsOf(ControlArray::CmdPage, page);
    m_services.view().CurrentKind = page;
    ChangePage();
}

void TuningWindow::ChangePage()
{
    const int kind = m_services.view().CurrentKind;
    for (int k = 0; k < 8; ++k)
        m_panels[static_cast<std::size_t>(k)]->setVisible(k == kind);
    setButtonsOf(ControlArray::CmdPage, kind);
    if (kind == 3) {
        setButtonsOf(ControlArray::Command3, m_services.view().EffectsSubPage);
        LayoutEffectsPage();
    }
    RefreshControls();
    m_plot->display().HighlightBoundSlider();
}

void TuningWindow::StartPageInit()
{
    for (controls::SkinnedFader* s : m_sliderArray)
        if (s && (inPage(s->Addr) || s->Addr > 2047))
            s->BkGround_Init(false);
    for (int i = 0; i < 3; ++i)
        m_sliderArray[static_cast<std::size_t>(i)]->setValue(
            static_cast<float>(m_services.store().at(0, m_sliderArray[static_cast<std::size_t>(i)]->Addr).Value));
    // The page, the third and the mode on show are pressed before anything was read.
    setButtonsOf(ControlArray::CmdPage, m_services.view().CurrentKind);
    setButtonsOf(ControlArray::Command3, m_services.view().EffectsSubPage);
    m_modes->showLoadedState();
    RefreshControls();
    m_plot->display().HighlightBoundSlider();
}

void TuningWindow::LayoutEffectsPage()
{
    const int third = m_services.view().EffectsSubPage;
    for (int i = 0; i < 15; ++i) {
        controls::SkinnedFader* s = m_sliderArray[static_cast<std::size_t>(tables::kEffectsFirstEqSlider + i)];
        const bool shown = i / 5 == third;
        s->move(shown ? tables::EffectsEqSliderLeft(i % 5) : Geometry::kOutOfView, s->y());
        s->setVisible(shown);
    }
}

void TuningWindow::Command3Click(int third)
{
    setButtonsOf(ControlArray::Command3, third);
    m_services.view().EffectsSubPage = static_cast<std::uint8_t>(third);
    LayoutEffectsPage();
    m_plot->editor().Command3(third);
    RefreshControls();
}

void TuningWindow::showCaption(const QString& caption)
{
    setWindowTitle(caption);
    emit captionChanged(caption);
}

void TuningWindow::RefreshControls()
{
    const core::ParamStore& store = m_services.store();
    const core::ViewState& view = m_services.view();
    const int mode = view.CurrentMode;
    const auto common = [&store](int address) { return store.at(0, address).Value; };
    for (controls::SkinnedFader* s : m_sliderArray)
        if (s && inPage(s->Addr) && s->EQindex < 0)
            s->setValue(static_cast<float>(store.at(mode, s->Addr).Value));
    for (const auto& [key, widget] : m_controls) {
        if (key.array == ControlArray::MyComboBox) {
            auto* c = static_cast<controls::SkinnedDropDown*>(widget);
            if (inPage(c->Addr))
                c->setValue(store.at(mode, c->Addr).Value);
        } else if (key.array == ControlArray::MyBTN) {
            auto* b = static_cast<controls::SkinnedButton*>(widget);
            if (inPage(b->Addr))
                b->setValue(store.at(mode, b->Addr).Value);
        }
    }
    for (int i = 0; i < 3; ++i)
        m_sliderArray[static_cast<std::size_t>(i)]->setValue(
            static_cast<float>(store.at(0, m_sliderArray[static_cast<std::size_t>(i)]->Addr).Value));
    if (view.CurrentKind == 1)
        setButtonsOf(ControlArray::OptionFBX, common(core::kFeedbackMic12));
    if (view.CurrentKind == 2)
        setButtonsOf(ControlArray::OptionFBX2, common(core::kFeedbackMic34));
    setButtonsOf(ControlArray::OptionInput, common(core::kInputSelect));
    if (common(core::kToneAddress) >= 0 && common(core::kToneAddress) <= 10)
        named("ToneLabel")->setValue(common(core::kToneAddress));
    for (int i = 0; i < 3; ++i)
        button(ControlArray::SingleMute, i)->setValue(common(core::kMasterMutes + i));
    for (int i = 0; i < 6; ++i)
        button(ControlArray::MyMute, i)->setValue(common(core::kOutputMutes + i));
    named("cmdByPass")->setValue(common(core::BypassAddress(view.CurrentKind, view.EffectsSubPage)));
    m_actions.RefreshSecondaryWindows();
    m_plot->display().RefreshAllCurves(false);
}

} // namespace quorix::ui
