// Every skinned control kind in its main states on a window background, for
// designers and for screenshots.
//   gallery [--screenshot FILE.png]
#include "controls/skin_draw.h"
#include "controls/skinned_button.h"
#include "controls/skinned_drop_down.h"
#include "controls/skinned_fader.h"
#include "controls/skinned_progress_bar.h"
#include "controls/store_marks.h"

#include "core/address_map.h"
#include "core/common_addresses.h"
#include "core/manual_scheduler.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QTimer>

#include <deque>

using namespace quorix;
using namespace quorix::controls;

namespace {

class Gallery : public QWidget {
public:
    Gallery()
    {
        core::InitParamStore(m_store, m_image);
        m_dance.currentMode = 1;
        m_auto.autoModeControl = 1;
        setWindowTitle("Quorix Console – control gallery");
        setFixedSize(1240, 560);
        build();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        DrawSkinImage(p, 196, 0, 0, 0, width(), height());
    }

private:
    ControlContext context(const core::ViewState& view)
    {
        const StoreMarks& marks = m_marks.emplace_back(m_store, view);
        return {&marks, &m_clock};
    }

    void caption(const QString& text, int x, int y)
    {
        auto* label = new QLabel(text, this);
        label->setFont(SkinFont(12));
        label->setStyleSheet("color: #8b929b;");
        label->move(x, y);
    }

    SkinnedFader* slider(FaderKind kind, int x, int y, const core::ViewState& view, int address = -1)
    {
        auto* s = new SkinnedFader(this, context(view));
        s->setKind(kind);
        s->setLabelID(0);
        s->address = address;
        s->move(x, y);
        return s;
    }

    void build()
    {
        caption("level sliders: normal · inverted · greyed · plain", 16, 8);
        slider(FaderKind::Level, 16, 28, m_singing)->setValue(100);
        slider(FaderKind::Level, 96, 28, m_singing)->setValue(260);
        slider(FaderKind::Level, 176, 28, m_auto, 1024)->setValue(120);
        slider(FaderKind::LevelPlain, 256, 28, m_singing)->setValue(60);

        caption("band faders: singing · dance · selected · off · greyed · tall", 356, 8);
        auto* singing = slider(FaderKind::Band, 356, 28, m_singing, 0);
        const core::Band flat = singing->band(); // 0.0 dB at 100 Hz
        singing->setBand(
            {.shape = 0, .freqIndex = 205, .gain = 310, .qIndex = flat.qIndex, .shelfQIndex = flat.shelfQIndex});
        auto* dance = slider(FaderKind::Band, 406, 28, m_dance, 0);
        dance->setBand(
            {.shape = 1, .freqIndex = flat.freqIndex, .gain = 180, .qIndex = flat.qIndex, .shelfQIndex = 12});
        auto* focused = slider(FaderKind::Band, 456, 28, m_singing, 0);
        focused->setForceShowFocus(true);
        core::Band highShelf = flat;
        highShelf.shape = 2;
        focused->setBand(highShelf);
        auto* off = slider(FaderKind::Band, 506, 28, m_singing, 0);
        core::Band switchedOff = flat;
        switchedOff.bandOff = true;
        off->setBand(switchedOff);
        slider(FaderKind::Band, 556, 28, m_auto, 0)->setValue(270);
        auto* tall = slider(FaderKind::Band, 606, 28, m_singing, 256);
        tall->setEQNormalStyle(1);
        tall->setValue(240);

        caption("horizontal sliders: five layouts · dance · muted · short · knob", 690, 8);
        for (int size = 0; size < 5; ++size) {
            auto* h = slider(FaderKind::Horizontal, 690, 28 + size * 44, m_singing);
            h->setHScrollSize(size);
            h->setValueType(10);
            h->setMaxValue(150);
            h->setValue(40.0f + 25.0f * static_cast<float>(size));
        }
        auto* danceH = slider(FaderKind::Horizontal, 890, 28, m_dance, 1024);
        danceH->setValueType(10);
        danceH->setMaxValue(150);
        danceH->setValue(100);
        m_store.at(0, core::kOutputMutes).value = 1;
        auto* muted = slider(FaderKind::Horizontal, 890, 72, m_singing, 1024 + 4);
        muted->muteAddress = core::kOutputMutes;
        muted->setHScrollSize(2);
        muted->setValue(70);
        auto* shortSlider = slider(FaderKind::Short, 890, 116, m_singing);
        shortSlider->setValue(30);
        auto* knob = slider(FaderKind::Knob, 1090, 28, m_singing);
        knob->setValue(60);

        caption("buttons", 16, 260);
        const std::tuple<const char*, int, int> buttons[] = {
            {"282,283", 1, 0}, {"280,281", 0, 0},     {"284,285", 0, 1},
            {"188,189", 0, 1}, {"190,191", 1, 0},     {"194,195", 0, 1},
            {"192,193", 0, 1}, {"389,390", 0, 1},     {"391,392", 0, 1},
            {"142,143", 1, 0}, {"380,381", 1, 0},     {"296,297", 1, 0},
            {"298,299", 0, 0}, {"361,362,359", 1, 2}, {"240,241,242,243,244,245,246,247", 4, 2},
        };
        int x = 16;
        int y = 280;
        for (const auto& [ids, value, action] : buttons) {
            auto* b = new SkinnedButton(this);
            b->setPNGIndexStr(ids);
            b->setActionType(action);
            b->setValue(value);
            if (x + b->width() > 660) {
                x = 16;
                y += 36;
            }
            b->move(x, y);
            x += b->width() + 8;
        }
        caption("page tabs: selected · not selected · locked", 16, 360);
        const std::tuple<const char*, int, bool> tabs[] = {{"158,159", 1, true},
                                                           {"160,161", 0, true},
                                                           {"162,163,385", 0, false},
                                                           {"166,167", 0, true},
                                                           {"170,171,386", 0, false}};
        x = 16;
        for (const auto& [ids, value, enabled] : tabs) {
            auto* tab = new SkinnedButton(this);
            tab->setPNGIndexStr(ids);
            tab->setActionType(SkinnedButton::HostDecides);
            tab->specialFeature = "DisabledRefresh";
            tab->setValue(value);
            tab->setEnabled(enabled);
            tab->move(x, 380);
            x += tab->width() + 4;
        }
        caption("option dots", 560, 360);
        for (int i = 0; i < 3; ++i) {
            auto* dot = new SkinnedButton(this);
            dot->setPNGIndexStr("218,219,388");
            dot->setActionType(SkinnedButton::HostDecides);
            dot->setValue(i == 1 ? 1 : 0);
            dot->setEnabled(i != 2);
            dot->move(560 + i * 24, 386);
        }

        caption("drop-downs", 670, 260);
        const std::pair<int, int> combos[] = {{0, 2}, {1, 1}, {3, 3}, {2, 1}, {7, 1}, {10, 4}, {11, 1}};
        y = 280;
        x = 670;
        for (const auto& [type, value] : combos) {
            auto* c = new SkinnedDropDown(this);
            c->setShowType(type);
            c->setValue(value);
            if (x + c->width() > 1220) {
                x = 670;
                y += 30;
            }
            c->move(x, y);
            x += c->width() + 12;
        }
        auto* disabled = new SkinnedDropDown(this);
        disabled->setShowType(0);
        disabled->setEnabled(false);
        disabled->move(x, y);

        caption("progress bar: synchronising · saving 40% · complete", 16, 430);
        const std::tuple<int, int> bars[] = {{0, 35}, {1, 40}, {1, 100}};
        y = 450;
        for (const auto& [content, value] : bars) {
            auto* bar = new SkinnedProgressBar(this);
            bar->setShowContent(content);
            bar->resize(380, 20);
            bar->setValue(value);
            bar->move(16, y);
            y += 28;
        }
    }

    core::ParamStore m_store;
    core::ParamStore m_image;
    core::ViewState m_singing;
    core::ViewState m_dance;
    core::ViewState m_auto;
    core::ManualScheduler m_clock;
    std::deque<StoreMarks> m_marks; // one per view shown
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Gallery gallery;
    gallery.show();
    const QStringList args = app.arguments();
    const qsizetype shot = args.indexOf("--screenshot");
    if (shot > 0 && shot + 1 < args.size()) {
        QTimer::singleShot(300, [&] {
            gallery.grab().save(args[shot + 1]);
            app.quit();
        });
    }
    return app.exec();
}
