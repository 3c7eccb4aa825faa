// The response plot on its own, for any page of a default store, editable.
//   graph-demo [--page K] [--third T] [--size WxH] [--screenshot FILE.png]
#include "graph/response_plot.h"
#include "ui/fader_band_sliders.h"

#include "controls/skin_draw.h"
#include "controls/skinned_button.h"
#include "controls/skinned_fader.h"
#include "controls/store_marks.h"

#include "link/qt_scheduler.h"

#include "core/address_map.h"
#include "core/param_editor.h"
#include "core/undo_history.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

using namespace quorix;

namespace {

class Demo : public QWidget {
public:
    Demo(int page, int third)
    {
        core::InitParamStore(m_store, m_image);
        m_view.currentKind = page;
        m_view.effectsSubPage = static_cast<std::uint8_t>(third);
        setWindowTitle("Quorix Console – response graph");

        auto* tabs = new QHBoxLayout;
        tabs->setSpacing(2);
        static constexpr int kTabImages[] = {158, 160, 162, 164, 166, 170, 168, 172}; // by page: 音乐 … 超低输出
        for (int k = 0; k < 8; ++k) {
            auto* tab = new controls::SkinnedButton;
            tab->setPNGIndexStr(QStringLiteral("%1,%2").arg(kTabImages[k]).arg(kTabImages[k] + 1));
            tab->setActionType(controls::SkinnedButton::HostDecides);
            tab->setValue(k == page ? 1 : 0);
            connect(tab, &controls::SkinnedButton::click, this, [this, k] { showPage(k); });
            m_tabs.push_back(tab);
            tabs->addWidget(tab);
        }
        tabs->addStretch();
        auto* tools = new QHBoxLayout;
        tools->setSpacing(4);
        static constexpr int kThirds[][2] = {{289, 288}, {287, 286}, {291, 290}};
        for (int t = 0; t < 3; ++t) {
            auto* button = new controls::SkinnedButton;
            button->setPNGIndexStr(QStringLiteral("%1,%2").arg(kThirds[t][0]).arg(kThirds[t][1]));
            button->setActionType(controls::SkinnedButton::HostDecides);
            button->setValue(t == third ? 1 : 0);
            connect(button, &controls::SkinnedButton::click, this, [this, t] {
                for (int i = 0; i < 3; ++i)
                    m_thirds[static_cast<std::size_t>(i)]->setValue(i == t ? 1 : 0);
                m_view.effectsSubPage = static_cast<std::uint8_t>(t);
                assignFaders();
                m_plot->editor().showThird(t);
            });
            m_thirds.push_back(button);
            tools->addWidget(button);
        }
        auto* reset = new controls::SkinnedButton;
        reset->setPNGIndexStr("188,189");
        reset->setActionType(controls::SkinnedButton::Momentary);
        connect(reset, &controls::SkinnedButton::click, this, [this] { m_plot->editor().resetPoints(); });
        tools->addWidget(reset);
        tools->addStretch();

        auto* faders = new QHBoxLayout;
        faders->setSpacing(0);
        std::vector<controls::SkinnedFader*> array;
        for (int i = 0; i < 15; ++i) {
            auto* fader = new controls::SkinnedFader(nullptr, {&m_marks, &m_scheduler});
            fader->setKind(controls::FaderKind::Band);
            fader->setLabelID(0);
            connect(fader, &controls::SkinnedFader::scrolled, this, [this, fader] { bandMoved(fader); });
            m_faders.push_back(fader);
            array.push_back(fader);
            faders->addWidget(fader);
        }
        faders->addStretch();
        m_sliders = std::make_unique<ui::FaderBandSliders>(array);

        m_plot = new graph::ResponsePlot({m_store, m_view, m_scheduler, m_editor, m_sliders.get()});
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(8, 8, 8, 8);
        layout->addLayout(tabs);
        layout->addLayout(tools);
        layout->addWidget(m_plot, 1);
        layout->addLayout(faders);
        assignFaders();
        QTimer::singleShot(0, this, [this] { m_plot->display().highlightBoundSlider(); });
        m_pulse.callOnTimeout([this] { m_plot->display().linkTicked(); });
        m_pulse.start(50);
    }

    void showPage(int page)
    {
        for (int k = 0; k < 8; ++k)
            m_tabs[static_cast<std::size_t>(k)]->setValue(k == page ? 1 : 0);
        m_view.currentKind = page;
        assignFaders();
        m_plot->display().refreshAllCurves(false);
        m_plot->display().highlightBoundSlider();
    }

    // One fader per band of the page shown (the effects page: of its third).
    void assignFaders()
    {
        std::size_t next = 0;
        const auto [first, last] = graph::GraphAddressRange(m_view.currentKind, m_view.effectsSubPage);
        for (int a = first; a <= last && next < m_faders.size(); ++a)
            if (m_store.at(m_view.currentMode, a).paramClass == core::ParamClass::EqBand)
                m_faders[next++]->address = a;
        for (std::size_t i = 0; i < m_faders.size(); ++i) {
            m_faders[i]->setVisible(i < next);
            if (i >= next)
                m_faders[i]->address = -1;
        }
    }

    // A fader moved: its band takes the fader's fields and is drawn again.
    void bandMoved(controls::SkinnedFader* fader)
    {
        if (fader->pointIndex < 0)
            return;
        m_plot->editor().bandSliderChanged(fader->pointIndex, fader->address, {fader->value(), fader->band()});
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        controls::DrawSkinImage(p, 196, 0, 0, 0, width(), height());
    }

private:
    core::ParamStore m_store;
    core::ParamStore m_image;
    core::ViewState m_view;
    link::QtScheduler m_scheduler;
    controls::StoreMarks m_marks{m_store, m_view};
    core::UndoHistory m_undo{m_store, m_view, m_scheduler};
    core::NullParamWriter m_noProcessor;
    core::ParamEditor m_editor{m_store, m_view, m_noProcessor, &m_undo};
    std::vector<controls::SkinnedFader*> m_faders;
    std::unique_ptr<ui::FaderBandSliders> m_sliders;
    graph::ResponsePlot* m_plot = nullptr;
    std::vector<controls::SkinnedButton*> m_tabs;
    std::vector<controls::SkinnedButton*> m_thirds;
    QTimer m_pulse;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto option = [&](const QString& name, const QString& fallback) {
        const qsizetype i = args.indexOf(name);
        return i > 0 && i + 1 < args.size() ? args[i + 1] : fallback;
    };
    Demo demo(std::clamp(option("--page", "0").toInt(), 0, 7), std::clamp(option("--third", "0").toInt(), 0, 2));
    const QStringList size = option("--size", "980x520").split('x');
    demo.resize(size.value(0).toInt(), size.value(1).toInt());
    demo.show();
    const QString shot = option("--screenshot", "");
    if (!shot.isEmpty())
        QTimer::singleShot(1500, [&] {
            demo.grab().save(shot);
            app.quit();
        });
    return app.exec();
}
