#include "tuning_window.h"

#include "controls/qt_text.h"

#include "console_services.h"
#include "control_actions.h"
#include "control_factory.h"
#include "edit_screen.h"
#include "graph_actions.h"
#include "graph_menu.h"
#include "link_screen.h"
#include "page_panel.h"
#include "reconnect_read.h"
#include "window_actions.h"
#include "window_sizing.h"

#include "tables/tuning_window_table.h"

#include "graph/response_plot.h"
#include "ui/fader_band_sliders.h"

#include "controls/skinned_button.h"
#include "controls/skinned_drop_down.h"
#include "controls/skinned_fader.h"
#include "controls/skinned_progress_bar.h"

#include <QMenu>

#include "link/device_link.h"

#include "core/address_map.h"
#include "core/common_addresses.h"
#include "core/processor_record.h"
#include "core/prompter.h"
#include "core/tuning_document.h"

namespace quorix::ui {

namespace {

using tables::ControlArray;
using Geometry = tables::TuningWindowGeometry;

constexpr int kSliderCount = 183;

} // namespace

TuningWindow::TuningWindow(ConsoleServices& session, core::Prompter& prompter, WindowActions& actions, QWidget* parent)
    : QWidget(parent), m_services(session), m_prompter(prompter), m_actions(actions),
      m_undo(session.document().history()), m_edits(session.document().edits()),
      m_faderMarks(session.store(), session.view(), &session.record()),
      m_linkScreen(std::make_unique<LinkScreen>(*this, session.scheduler(), prompter, actions)),
      m_editScreen(std::make_unique<EditScreen>(*this)),
      m_sizing(std::make_unique<WindowSizing>(*this, Geometry::kTitleHeight, kSizingBand)), m_controls(kSliderCount)
{
    setWindowTitle(controls::QtText(kCaptionOffline));
    setMinimumSize(Geometry::kDesignWidth, Geometry::kDesignHeight);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);

    session.startAfresh();
    core::ViewState& view = session.view();

    const auto online = [&session] { return session.link().online(); };
    createControls();
    m_storeView = std::make_unique<StoreView>(m_edits, view, m_controls, m_plot->display());
    m_pages = std::make_unique<PageSwitcher>(m_panels, m_controls, view, *m_plot, *m_storeView);
    m_dispatch = std::make_unique<ValueDispatch>(
        DispatchLinks{m_edits, m_plot->editor(), view, session.scheduler(), online}, *m_editScreen);
    m_modes = std::make_unique<ModeControl>(m_edits, view, session.record(), *m_editScreen, prompter);
    resize(Geometry::kDesignWidth, Geometry::kDesignHeight);

    m_moveWindow = session.scheduler().createTimer(kMoveWindowMs, false,
                                                   [this] { m_sizing->hover(mapFromGlobal(QCursor::pos())); });
    m_delayedUnload = session.scheduler().createTimer(kDelayedUnloadMs, true, [this] { unload(); });
    m_reread = session.scheduler().createTimer(0, true, [this] {
        if (m_services.link().online())
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
        panel->setGeometry(Geometry::kPanelLeft, Geometry::kPanelTop, Geometry::kPanelWidth, Geometry::kPanelHeight);
        panel->setVisible(k == 0);
        m_panels[static_cast<std::size_t>(k)] = panel;
    }
    m_strip = new PagePanel(0, this);

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
        m_controls.add(row, widget);
        connectControl(row, widget);
    }
    m_controls.resolve();
    m_bandSliders = std::make_unique<FaderBandSliders>(m_controls.sliders());
    m_plot = new graph::ResponsePlot(
        {m_services.store(), m_services.view(), m_services.scheduler(), m_edits, m_bandSliders.get()}, this);
    m_graphActions = std::make_unique<GraphActions>(m_services, m_edits, m_prompter,
                                                    GraphView{[this] { return m_plot->display().locked(); },
                                                              [this](int scale) { return m_plot->picture(scale); },
                                                              [this] { return m_plot->width(); }});
    connect(m_plot, &graph::ResponsePlot::menuRequested, this,
            [this](QPoint at) { CreateGraphMenu(*m_graphActions, this)->exec(at); });
    m_progress = new controls::SkinnedProgressBar(this);
    m_progress->hide();
}

void TuningWindow::connectControl(const tables::ControlRow& row, QWidget* widget)
{
    if (auto* s = qobject_cast<controls::SkinnedFader*>(widget)) {
        if (row.thumbVisible)
            connect(s, &controls::SkinnedFader::scrolled, this, [this, s] { sliderScrolled(s); });
        return;
    }
    std::function<void()> action = ActionOf(row, widget, *this);
    if (!action)
        return;
    if (auto* c = qobject_cast<controls::SkinnedDropDown*>(widget))
        connect(c, &controls::SkinnedDropDown::click, this, std::move(action));
    else
        connect(static_cast<controls::SkinnedButton*>(widget), &controls::SkinnedButton::click, this,
                std::move(action));
}

link::DeviceLink& TuningWindow::link()
{
    return m_services.link();
}

QWidget* TuningWindow::panel(int page) const
{
    return page >= 0 && page < 8 ? m_panels[static_cast<std::size_t>(page)] : nullptr;
}

void TuningWindow::sliderScrolled(controls::SkinnedFader* s)
{
    if (m_modes->copying())
        return;
    m_dispatch->sliderScrolled(s->address, s->pointIndex, {s->value(), s->band()});
}

void TuningWindow::startPageInit()
{
    for (controls::SkinnedFader* s : m_controls.sliders())
        if (s && (core::KindOfAddress(s->address) == m_services.view().currentKind || s->address > 2047))
            s->rebuildStaticLayer();
    for (int i = 0; i < 3; ++i)
        m_controls.slider(i)->setValue(
            static_cast<float>(m_services.store().at(0, m_controls.slider(i)->address).value));
    // The page, the third and the mode on show are pressed before anything was read.
    m_modes->showLoadedState();
    m_pages->showFirst();
}

void TuningWindow::showCaption(const QString& caption)
{
    setWindowTitle(caption);
    emit captionChanged(caption);
}

} // namespace quorix::ui
