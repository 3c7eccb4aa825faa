#include "skin_catalog.h"

#include "skin_style.h"

#include "graph/curve_colours.h"

#include "controls/qt_text.h"

#include "tables/effect_window_table.h"
#include "tables/recording_window_table.h"
#include "tables/startup_settings_table.h"
#include "tables/tuning_window_table.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <array>
#include <cmath>

namespace skingen {

namespace {

using namespace palette;
using Entries = std::vector<SkinEntry>;

void Add(Entries& e, int id, int w, int h, const QString& role, std::function<void(QPainter&, const QRectF&)> paint)
{
    e.push_back({id, w, h, role, std::move(paint)});
}

void TextButtons(Entries& e)
{
    struct B {
        int id;
        const char* caption;
        Look look;
        const char* role;
    };
    const B buttons[] = {
        {105, "程序管理", Look::Normal, "button 程序管理 (password window), normal"},
        {106, "程序管理", Look::Hover, "button 程序管理, hover"},
        {180, "开机设置", Look::Normal, "button 开机设置 (startup settings), normal"},
        {181, "开机设置", Look::Hover, "button 开机设置, hover"},
        {312, "专业设置", Look::Normal, "button 专业设置 (effect window), normal"},
        {313, "专业设置", Look::Hover, "button 专业设置, hover"},
        {317, "专业设置", Look::Disabled, "button 专业设置, disabled"},
        {399, "设备选项", Look::Normal, "button 设备选项 (startup settings of the processor), normal"},
        {400, "设备选项", Look::Hover, "button 设备选项, hover"},
    };
    for (const B& b : buttons)
        Add(e, b.id, 96, 28, b.role, [b](QPainter& p, const QRectF& r) { Button(p, r, b.caption, b.look); });

    struct T {
        int id;
        const char* caption;
        Look look;
        QColor accent;
        const char* role;
    };
    const T tools[] = {
        {188, "复位", Look::Normal, kSinging, "button 复位 (reset the page's points), normal"},
        {189, "复位", Look::Pressed, kSinging, "button 复位, pressed"},
        {190, "直通", Look::Normal, kRed, "button 直通 (EQ bypass), off"},
        {191, "直通", Look::Selected, kRed, "button 直通, on"},
        {192, "重做 ↷", Look::Normal, kSinging, "button redo, normal"},
        {193, "重做 ↷", Look::Pressed, kSinging, "button redo, pressed"},
        {194, "↶ 撤销", Look::Normal, kSinging, "button undo, normal"},
        {195, "↶ 撤销", Look::Pressed, kSinging, "button undo, pressed"},
        {389, "调用", Look::Normal, kSinging, "button 调用 (recall a preset), normal"},
        {390, "调用", Look::Pressed, kSinging, "button 调用, pressed"},
        {391, "保存", Look::Normal, kSinging, "button 保存 (store a preset), normal"},
        {392, "保存", Look::Pressed, kSinging, "button 保存, pressed"},
        {395, "打开文件", Look::Normal, kSinging, "button 打开文件 (open a configuration file), normal"},
        {396, "打开文件", Look::Pressed, kSinging, "button 打开文件, pressed"},
        {397, "保存文件", Look::Normal, kSinging, "button 保存文件 (save a configuration file), normal"},
        {398, "保存文件", Look::Pressed, kSinging, "button 保存文件, pressed"},
    };
    for (const T& t : tools)
        Add(e, t.id, 64, 28, t.role, [t](QPainter& p, const QRectF& r) { Button(p, r, t.caption, t.look, t.accent); });

    struct M {
        int id;
        const char* caption;
        Look look;
        QColor accent;
        int w;
        int h;
        const char* role;
    };
    const M modes[] = {
        {280, "劲舞", Look::Normal, kDance, 36, 28, "mode button 劲舞 (dance), off"},
        {281, "劲舞", Look::Selected, kDance, 36, 28, "mode button 劲舞, on"},
        {282, "演唱", Look::Normal, kSinging, 36, 28, "mode button 演唱 (singing), off"},
        {283, "演唱", Look::Selected, kSinging, 36, 28, "mode button 演唱, on"},
        {284, "复制模式", Look::Normal, kSinging, 68, 28, "button 复制模式 (copy mode), normal"},
        {285, "复制模式", Look::Pressed, kSinging, 68, 28, "button 复制模式, pressed"},
        {286, "混响EQ", Look::Selected, kSinging, 80, 26, "effects page selector 混响EQ, selected"},
        {287, "混响EQ", Look::Normal, kSinging, 80, 26, "effects page selector 混响EQ, not selected"},
        {288, "回声EQ", Look::Selected, kSinging, 80, 26, "effects page selector 回声EQ, selected"},
        {289, "回声EQ", Look::Normal, kSinging, 80, 26, "effects page selector 回声EQ, not selected"},
        {290, "效果EQ", Look::Selected, kSinging, 80, 26, "effects page selector 效果EQ, selected"},
        {291, "效果EQ", Look::Normal, kSinging, 80, 26, "effects page selector 效果EQ, not selected"},
        {296, "自动", Look::Normal, kGreen, 36, 24, "button 自动 (automatic mode control), off"},
        {297, "自动", Look::Selected, kGreen, 36, 24, "button 自动, on"},
        {298, "手动", Look::Normal, kSinging, 36, 24, "button 手动 (manual mode control), off"},
        {299, "手动", Look::Selected, kSinging, 36, 24, "button 手动, on"},
        {380, "正常", Look::Normal, kSinging, 56, 22, "phase button 正常 (normal)"},
        {381, "反转", Look::Selected, kDance, 56, 22, "phase button 反转 (inverted)"},
        {262, "−", Look::Normal, kSinging, 26, 24, "key shift − button, normal"},
        {263, "−", Look::Pressed, kSinging, 26, 24, "key shift − button, pressed"},
        {264, "+", Look::Normal, kSinging, 26, 24, "key shift + button, normal"},
        {265, "+", Look::Pressed, kSinging, 26, 24, "key shift + button, pressed"},
    };
    for (const M& m : modes)
        Add(e, m.id, m.w, m.h, m.role,
            [m](QPainter& p, const QRectF& r) { Button(p, r, m.caption, m.look, m.accent, m.h < 25 ? 12 : 13); });
}

void PageTabs(Entries& e)
{
    const char* names[] = {"音乐", "麦克风", "话筒3", "效果", "主输出", "中置输出", "环绕输出", "超低输出", "录音输出"};
    for (int i = 0; i < 9; ++i) {
        const QString name = QString::fromUtf8(names[i]);
        Add(e, 158 + 2 * i, 104, 33, "page tab " + name + ", not selected", [name](QPainter& p, const QRectF& r) {
            Button(p, r.adjusted(1, 3, -1, 0), name, Look::Normal, kSinging, 14);
        });
        Add(e, 159 + 2 * i, 104, 33, "page tab " + name + ", selected", [name](QPainter& p, const QRectF& r) {
            Button(p, r.adjusted(1, 0, -1, 0), name, Look::Selected, kSinging, 14);
        });
    }
    const std::pair<int, const char*> locked[] = {{385, "话筒3"}, {386, "环绕输出"}, {387, "录音输出"}};
    for (const auto& [id, text] : locked) {
        const QString name = QString::fromUtf8(text);
        Add(e, id, 104, 33, "page tab " + name + ", locked (not in this processor)",
            [name](QPainter& p, const QRectF& r) {
                Button(p, r.adjusted(1, 3, -1, 0), "    " + name, Look::Disabled, kSinging, 13);
                // A padlock left of the name.
                const QRectF body(14, 17, 11, 8);
                p.setPen(QPen(kDim, 1.6));
                p.setBrush(Qt::NoBrush);
                p.drawArc(QRectF(body.left() + 2, body.top() - 6, body.width() - 4, 10), 0, 180 * 16);
                p.setPen(Qt::NoPen);
                p.setBrush(kDim);
                p.drawRoundedRect(body, 1.5, 1.5);
            });
    }
}

void SliderParts(Entries& e)
{
    // Small value boxes behind the slider texts.
    for (auto [id, w] : {std::pair{101, 24}, std::pair{269, 30}, std::pair{382, 46}})
        Add(e, id, w, 18, "value box behind a slider text", [](QPainter& p, const QRectF& r) { Slot(p, r, 3); });
    Add(e, 139, 50, 16, "value box of the kind 3 horizontal slider",
        [](QPainter& p, const QRectF& r) { Slot(p, r, 3); });
    Add(e, 138, 24, 14, "value box of the kind 4 horizontal slider",
        [](QPainter& p, const QRectF& r) { Slot(p, r, 3); });

    // Vertical thumbs (level sliders and band faders).
    Add(e, 102, 24, 16, "vertical thumb, normal",
        [](QPainter& p, const QRectF& r) { Thumb(p, r.adjusted(1, 1, -1, -1), kSinging, true); });
    Add(e, 270, 24, 16, "vertical thumb, highlighted (bound to the selected graph point)",
        [](QPainter& p, const QRectF& r) {
            Panel(p, r, 4, kYellow.lighter(120), kYellow.darker(130), QColor("#0b0d10"));
            p.setPen(QPen(QColor("#202020"), 2));
            p.drawLine(QPointF(r.left() + 4, r.center().y()), QPointF(r.right() - 4, r.center().y()));
        });
    Add(e, 107, 24, 16, "vertical thumb, greyed", [](QPainter& p, const QRectF& r) {
        Panel(p, r.adjusted(1, 1, -1, -1), 3, kGrey, kGrey.darker(140), QColor("#0b0d10"));
    });
    // Horizontal thumbs.
    Add(e, 137, 15, 22, "horizontal thumb, normal",
        [](QPainter& p, const QRectF& r) { Thumb(p, r.adjusted(1, 1, -1, -1), kSinging, false); });
    Add(e, 108, 15, 22, "horizontal thumb, greyed", [](QPainter& p, const QRectF& r) {
        Panel(p, r.adjusted(1, 1, -1, -1), 3, kGrey, kGrey.darker(140), QColor("#0b0d10"));
    });
    Add(e, 383, 10, 22, "short-slider thumb",
        [](QPainter& p, const QRectF& r) { Thumb(p, r.adjusted(1, 1, -1, -1), kSinging, false); });

    // Vertical level slider (kinds 0 and 8): the slot runs from y 22 to 153 in image rows.
    const QRectF levelSlot(33, 22, 6, 131); // centred under the thumb (x 24..48)
    Add(e, 104, 59, 177, "vertical level slider track (drawn at 0,2)", [levelSlot](QPainter& p, const QRectF&) {
        p.setPen(QPen(kDim, 1));
        for (int i = 0; i <= 10; ++i) {
            const qreal y = levelSlot.top() + 2 + i * (levelSlot.height() - 4) / 10;
            p.drawLine(QPointF(i % 5 == 0 ? 14 : 18, y), QPointF(24, y));
        }
        Slot(p, levelSlot.adjusted(-1, -2, 1, 2), 3);
    });
    Add(e, 103, 59, 177, "vertical level slider fill (drawn from the thumb down)",
        [levelSlot](QPainter& p, const QRectF&) { Bar(p, levelSlot.adjusted(0.5, 0, -0.5, 0), kSinging, true); });

    // Horizontal tracks; the slot centre lies on the thumb's middle row.
    struct H {
        int track, fill, grey, dance;
        int w, h;
        qreal x0, y0, length;
        const char* name;
    };
    const H hs[] = {
        {135, 136, 271, 275, 146, 38, 12, 27, 122, "wide"},
        {140, 141, 273, 277, 140, 28, 7, 13, 122, "narrow"},
    };
    for (const H& h : hs) {
        const QRectF slot(h.x0 - 2, h.y0 - 3, h.length + 4, 6);
        const QString name = QString::fromUtf8(h.name);
        Add(e, h.track, h.w, h.h, name + " horizontal slider track", [slot](QPainter& p, const QRectF&) {
            p.setPen(QPen(kDim, 1));
            for (int i = 0; i <= 10; ++i) {
                const qreal x = slot.left() + 2 + i * (slot.width() - 4) / 10;
                p.drawLine(QPointF(x, slot.bottom() + 3), QPointF(x, slot.bottom() + (i % 5 == 0 ? 8 : 6)));
            }
            Slot(p, slot, 3);
        });
        const std::pair<int, QColor> fills[] = {{h.fill, kSinging}, {h.grey, kGrey}, {h.dance, kDance}};
        const char* looks[] = {"normal (singing mode or not mode-dependent)", "greyed or muted", "dance mode"};
        for (int i = 0; i < 3; ++i) {
            const QColor colour = fills[i].second;
            Add(e, fills[i].first, h.w, h.h, name + " horizontal slider fill, " + looks[i],
                [slot, colour](QPainter& p, const QRectF&) { Bar(p, slot.adjusted(1, 1, -1, -1), colour, false); });
        }
    }
    // Short horizontal slider (kind 6).
    const QRectF shortSlot(6, 10, 124, 6);
    Add(e, 220, 136, 28, "short horizontal slider track",
        [shortSlot](QPainter& p, const QRectF&) { Slot(p, shortSlot, 3); });
    Add(e, 221, 136, 28, "short horizontal slider fill",
        [shortSlot](QPainter& p, const QRectF&) { Bar(p, shortSlot.adjusted(1, 1, -1, -1), kSinging, false); });
    Add(e, 274, 136, 28, "short horizontal slider fill, muted",
        [shortSlot](QPainter& p, const QRectF&) { Bar(p, shortSlot.adjusted(1, 1, -1, -1), kGrey, false); });

    // Rotary knob and its shadow.
    Add(e, 182, 98, 96, "rotary knob (rotated about its centre)", [](QPainter& p, const QRectF& r) {
        const QRectF body = r.adjusted(12, 11, -12, -11);
        QRadialGradient g(body.center() - QPointF(10, 12), body.width());
        g.setColorAt(0, QColor("#5b6470"));
        g.setColorAt(1, QColor("#1a1e23"));
        p.setPen(QPen(QColor("#0b0d10"), 2));
        p.setBrush(g);
        p.drawEllipse(body);
        p.setPen(QPen(kSinging, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(body.center().x(), body.top() + 6), QPointF(body.center().x(), body.top() + 20));
    });
    Add(e, 306, 98, 96, "rotary knob shadow", [](QPainter& p, const QRectF& r) {
        QRadialGradient g(r.center() + QPointF(3, 5), r.width() / 2);
        g.setColorAt(0.7, QColor(0, 0, 0, 120));
        g.setColorAt(1, QColor(0, 0, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(r);
    });

    // Polarity button of the level sliders.
    struct P {
        int id;
        const char* sign;
        Look look;
        const char* role;
    };
    const P polarity[] = {
        {308, "−", Look::Selected, "polarity button, inverted (minus sign), normal"},
        {309, "−", Look::Pressed, "polarity button, inverted, pressed"},
        {310, "+", Look::Normal, "polarity button, normal (plus sign), normal"},
        {311, "+", Look::Pressed, "polarity button, normal, pressed"},
    };
    for (const P& pb : polarity)
        Add(e, pb.id, 12, 10, pb.role,
            [pb](QPainter& p, const QRectF& r) { Button(p, r, pb.sign, pb.look, kDance, 10); });
}

void BandFader(Entries& e)
{
    struct S {
        int background, fill, dance, grey;
        int height;
        int style;
    };
    const S styles[] = {{113, 112, 276, 272, 181, 0}, {374, 375, 376, 377, 216, 1}};
    for (const S& s : styles) {
        const qreal length = 95 + 27 * s.style;
        const QRectF slot(26, 14, 5, length + 8); // thumb centres run from y 18 to 18 + length
        const qreal rows = 123 + 33 * s.style;
        const QString style = QString::number(s.style);
        Add(e, s.background, 40, s.height, "band fader background, style " + style,
            [slot, rows, length](QPainter& p, const QRectF& r) {
                Panel(p, r.adjusted(0, 0, 0, 0), 4, kPanel.lighter(110), kBase, kEdge);
                p.setPen(QPen(kDim, 1));
                // 0 dB sits at 12/36 of the travel from the top.
                for (int i = 0; i <= 6; ++i) {
                    const qreal y = 18 + i * length / 6;
                    p.drawLine(QPointF(i == 2 ? 17 : 20, y), QPointF(24, y));
                }
                Slot(p, slot, 2);
                Slot(p, QRectF(2, rows, 36, 42 + 6 * (rows > 130 ? 1 : 0)), 3);
            });
        const std::pair<int, QColor> fills[] = {{s.fill, kSinging}, {s.dance, kDance}, {s.grey, kGrey}};
        const char* looks[] = {"singing mode or not mode-dependent", "dance mode", "greyed or band off"};
        for (int i = 0; i < 3; ++i) {
            const QColor colour = fills[i].second;
            Add(e, fills[i].first, 40, s.height, "band fader fill, style " + style + ", " + looks[i],
                [slot, colour](QPainter& p, const QRectF&) { Bar(p, slot.adjusted(1, 2, -1, -2), colour, true); });
        }
    }
    struct Shape {
        int id;
        const char* text;
        Look look;
        const char* role;
    };
    const Shape shapes[] = {
        {129, "P", Look::Selected, "band shape button P (peaking), selected"},
        {130, "P", Look::Normal, "band shape button P, not selected"},
        {131, "LS", Look::Selected, "band shape button LS (low shelf), selected"},
        {132, "LS", Look::Normal, "band shape button LS, not selected"},
        {133, "HS", Look::Selected, "band shape button HS (high shelf), selected"},
        {134, "HS", Look::Normal, "band shape button HS, not selected"},
        {300, "P", Look::Disabled, "band shape button P, selected while greyed"},
        {301, "LS", Look::Disabled, "band shape button LS, selected while greyed"},
        {302, "HS", Look::Disabled, "band shape button HS, selected while greyed"},
    };
    for (const Shape& s : shapes)
        Add(e, s.id, 16, 16, s.role, [s](QPainter& p, const QRectF& r) {
            Button(p, r.adjusted(1, 1, -1, -1), s.text, s.look, kSinging, QString(s.text).size() > 1 ? 8 : 10);
            if (s.look == Look::Disabled) {
                p.setBrush(Qt::NoBrush); // an outline only: the letter stays visible
                p.setPen(QPen(kDim, 1));
                p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
            }
        });
    Add(e, 294, 11, 11, "check box off (band switch: band on)",
        [](QPainter& p, const QRectF& r) { Slot(p, r.adjusted(0.5, 0.5, -0.5, -0.5), 2); });
    Add(e, 295, 11, 11, "check box on (band switch: band off)", [](QPainter& p, const QRectF& r) {
        Slot(p, r.adjusted(0.5, 0.5, -0.5, -0.5), 2);
        p.setPen(QPen(kRed, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2.5, 2.5), QPointF(8.5, 8.5));
        p.drawLine(QPointF(8.5, 2.5), QPointF(2.5, 8.5));
    });
}

void DropDowns(Entries& e)
{
    const std::array<std::tuple<int, int, int, const char*>, 3> faces = {{
        {150, 135, 21, "drop-down face of the filter-type lists"},
        {384, 87, 20, "drop-down face of the short lists"},
        {393, 70, 21, "drop-down face of the preset-name list"},
    }};
    for (const auto& [id, w, h, role] : faces)
        Add(e, id, w, h, role, [](QPainter& p, const QRectF& r) {
            Panel(p, r, 3, kRaised, kPanel, kEdge);
            p.setPen(QPen(kEdge, 1));
            p.drawLine(QPointF(r.right() - 16, r.top() + 3), QPointF(r.right() - 16, r.bottom() - 3));
        });
    struct A {
        int id;
        int w;
        int h;
        bool pressed;
        const char* role;
    };
    const A arrows[] = {
        {151, 16, 12, false, "drop-down arrow of the filter-type lists"},
        {152, 16, 12, true, "drop-down arrow of the filter-type lists, pressed"},
        {227, 11, 9, false, "drop-down arrow of the short lists"},
        {228, 11, 9, true, "drop-down arrow of the short lists, pressed"},
        {394, 14, 16, false, "drop-down arrow of the preset-name list"},
    };
    for (const A& a : arrows)
        Add(e, a.id, a.w, a.h, a.role, [a](QPainter& p, const QRectF& r) {
            const qreal m = r.width() * 0.22;
            Arrow(p, QRectF(r.left() + m, r.center().y() - r.width() * 0.2, r.width() - 2 * m, r.width() * 0.38),
                  a.pressed ? kSinging.lighter(130) : kText, true);
        });
    Add(e, 316, 138, 21, "disabled overlay over a drop-down face", [](QPainter& p, const QRectF& r) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(10, 12, 15, 150));
        p.drawRoundedRect(r, 3, 3);
        p.setPen(QPen(QColor(255, 255, 255, 25), 1));
        for (qreal x = -r.height(); x < r.width(); x += 6)
            p.drawLine(QPointF(x, r.height()), QPointF(x + r.height(), 0));
    });

    const auto textImages = [&](int first, const std::vector<const char*>& names, int w, int h, qreal px,
                                const QString& what, qreal left) {
        for (int i = 0; i < static_cast<int>(names.size()); ++i) {
            const QString name = QString::fromUtf8(names[static_cast<std::size_t>(i)]);
            Add(e, first + i, w, h, what + " \"" + name + "\"", [name, px, left](QPainter& p, const QRectF& r) {
                Text(p, r.adjusted(left, 0, 0, 0), name, px, kText, false, Qt::AlignLeft | Qt::AlignVCenter);
            });
        }
    };
    textImages(153, {"LinkWitz 48dB", "LinkWitz 24dB", "ButterWorth 12dB", "Bessel 24dB", "Bessel 12dB"}, 106, 11, 10,
               "filter type name", 0);
    textImages(224, {"ButterWorth 12dB", "ButterWorth 24dB"}, 106, 11, 10, "filter type name", 0);
    textImages(318, {"用户定义", "房间", "小厅", "大厅", "人声", "教堂", "大教堂"}, 66, 13, 12, "reverb type name", 0);
    textImages(363, {"自动", "手动", "关", "1", "2", "3", "-6dB", "-3dB", "0dB", "+3dB"}, 72, 20, 12, "drop-down item",
               6);
    textImages(229, {"POP", "PRO", "STE", "P01", "P02", "P03", "P04", "P05", "P06", "P07", "AUTO"}, 52, 19, 12,
               "preset-list item (grey set)", 6);
}

void Indicators(Entries& e)
{
    const char* presets[] = {"KTV", "PRO", "SPCH", "USER1", "USER2", "USER3", "USER4", "USER5", "POP", "STE", "AUTO"};
    for (int i = 0; i < 11; ++i) {
        const QString name = presets[i];
        Add(e, 240 + i, 96, 26, "preset display \"" + name + "\" (blue set)", [name](QPainter& p, const QRectF& r) {
            Panel(p, r, 4, QColor("#0c1a2e"), QColor("#07101d"), kSinging.darker(150));
            Text(p, r, name, 15, kSinging.lighter(140), true);
        });
    }
    const char* tones[] = {"♭5", "♭4", "♭3", "♭2", "♭1", "0", "♯1", "♯2", "♯3", "♯4", "♯5"};
    const int toneIds[] = {251, 252, 253, 254, 255, 256, 257, 258, 259, 260, 261};
    for (int i = 0; i < 11; ++i) {
        const QString label = QString::fromUtf8(tones[i]);
        Add(e, toneIds[i], 44, 24, "key shift label " + label + " (tone step " + QString::number(i) + ")",
            [label, i](QPainter& p, const QRectF& r) {
                Panel(p, r, 4, QColor("#0c1a2e"), QColor("#07101d"), kEdge);
                Text(p, r, label, 14, i == 5 ? kText : kDance, true);
            });
    }
    struct C {
        int id;
        const char* text;
        QColor led;
        const char* role;
    };
    const C states[] = {
        {359, "脱机模式", kGrey, "connection status: link switched off (脱机模式)"},
        {361, "查找设备中", kYellow, "connection status: searching (查找设备中)"},
        {362, "已联机", kGreen, "connection status: online (已联机)"},
    };
    for (const C& c : states)
        Add(e, c.id, 110, 24, c.role, [c](QPainter& p, const QRectF& r) {
            Panel(p, r, 4, kRaised, kPanel, kEdge);
            QRadialGradient g(QPointF(14, r.center().y()), 6);
            g.setColorAt(0, c.led.lighter(150));
            g.setColorAt(1, c.led.darker(150));
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawEllipse(QPointF(14, r.center().y()), 5, 5);
            Text(p, r.adjusted(24, 0, 0, 0), QString::fromUtf8(c.text), 12, kText, false,
                 Qt::AlignLeft | Qt::AlignVCenter);
        });
    Add(e, 378, 18, 18, "round indicator, off", [](QPainter& p, const QRectF& r) {
        p.setPen(QPen(kEdge, 1));
        p.setBrush(kBase);
        p.drawEllipse(r.adjusted(2, 2, -2, -2));
    });
    Add(e, 379, 18, 18, "round indicator, on", [](QPainter& p, const QRectF& r) {
        p.setPen(QPen(kGreen.darker(150), 1));
        p.setBrush(kGreen);
        p.drawEllipse(r.adjusted(2, 2, -2, -2));
    });
    const std::tuple<int, const char*, bool, bool> dots[] = {{218, "option dot, off", false, true},
                                                             {219, "option dot, on", true, true},
                                                             {388, "option dot, disabled", false, false}};
    for (const auto& [id, role, on, enabled] : dots)
        Add(e, id, 16, 16, role, [on = on, enabled = enabled](QPainter& p, const QRectF& r) {
            p.setPen(QPen(enabled ? kDim : kGrey.darker(130), 1.2));
            p.setBrush(kBase);
            p.drawEllipse(r.adjusted(2, 2, -2, -2));
            if (on) {
                p.setPen(Qt::NoPen);
                p.setBrush(kSinging);
                p.drawEllipse(r.adjusted(5, 5, -5, -5));
            }
        });
    Add(e, 279, 12, 12, "small grey dot (disabled graph marker)", [](QPainter& p, const QRectF& r) {
        p.setPen(QPen(QColor("#2b2f35"), 1));
        p.setBrush(QColor("#7a8089"));
        p.drawEllipse(r.adjusted(1.5, 1.5, -1.5, -1.5));
    });
    Add(e, 110, 200, 6, "dark bar",
        [](QPainter& p, const QRectF& r) { Panel(p, r, 2, kBase, kBase.darker(120), kBase); });
}

void Icons(Entries& e)
{
    const auto speaker = [](QPainter& p, const QRectF& r, bool muted) {
        const qreal s = r.height() / 22.0;
        QPainterPath body;
        body.moveTo(r.left() + 3 * s, r.top() + 8 * s);
        body.lineTo(r.left() + 8 * s, r.top() + 8 * s);
        body.lineTo(r.left() + 14 * s, r.top() + 3 * s);
        body.lineTo(r.left() + 14 * s, r.top() + 19 * s);
        body.lineTo(r.left() + 8 * s, r.top() + 14 * s);
        body.lineTo(r.left() + 3 * s, r.top() + 14 * s);
        body.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(muted ? kRed : kText);
        p.drawPath(body);
        p.setPen(QPen(muted ? kRed : kSinging, 1.8 * s, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        if (muted) {
            p.drawLine(QPointF(r.left() + 17 * s, r.top() + 7 * s), QPointF(r.left() + 23 * s, r.top() + 15 * s));
            p.drawLine(QPointF(r.left() + 23 * s, r.top() + 7 * s), QPointF(r.left() + 17 * s, r.top() + 15 * s));
        } else {
            p.drawArc(QRectF(r.left() + 10 * s, r.top() + 6 * s, 8 * s, 10 * s), -50 * 16, 100 * 16);
            p.drawArc(QRectF(r.left() + 10 * s, r.top() + 3 * s, 13 * s, 16 * s), -50 * 16, 100 * 16);
        }
    };
    Add(e, 142, 26, 22, "speaker icon (not muted)", [speaker](QPainter& p, const QRectF& r) { speaker(p, r, false); });
    Add(e, 143, 26, 22, "muted speaker icon", [speaker](QPainter& p, const QRectF& r) { speaker(p, r, true); });
    Add(e, 292, 20, 17, "speaker icon, small", [speaker](QPainter& p, const QRectF& r) { speaker(p, r, false); });
    Add(e, 293, 20, 17, "muted speaker icon, small", [speaker](QPainter& p, const QRectF& r) { speaker(p, r, true); });

    const auto windowButton = [](QPainter& p, const QRectF& r, bool hover, bool close) {
        if (hover) {
            p.setPen(Qt::NoPen);
            p.setBrush(close ? kRed : kRaised.lighter(130));
            p.drawRoundedRect(r, 3, 3);
        }
        p.setPen(QPen(kText, 1.4, Qt::SolidLine, Qt::RoundCap));
        const QPointF c = r.center();
        if (close) {
            p.drawLine(c + QPointF(-5, -5), c + QPointF(5, 5));
            p.drawLine(c + QPointF(5, -5), c + QPointF(-5, 5));
        } else {
            p.drawLine(c + QPointF(-5, 4), c + QPointF(5, 4));
        }
    };
    Add(e, 208, 26, 22, "close button, normal",
        [windowButton](QPainter& p, const QRectF& r) { windowButton(p, r, false, true); });
    Add(e, 209, 26, 22, "close button, hover",
        [windowButton](QPainter& p, const QRectF& r) { windowButton(p, r, true, true); });
    Add(e, 216, 26, 22, "minimise button, normal",
        [windowButton](QPainter& p, const QRectF& r) { windowButton(p, r, false, false); });
    Add(e, 217, 26, 22, "minimise button, hover",
        [windowButton](QPainter& p, const QRectF& r) { windowButton(p, r, true, false); });
}

void Graph(Entries& e)
{
    Add(e, 303, 969, 316, "response graph background (stretched to the plot)", [](QPainter& p, const QRectF& r) {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor("#10151c"));
        g.setColorAt(1, QColor("#0a0d11"));
        p.fillRect(r, g);
        p.setPen(QPen(kEdge, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    });
    Add(e, 226, 252, 45, "EQ BYPASS banner", [](QPainter& p, const QRectF& r) {
        Panel(p, r.adjusted(1, 1, -1, -1), 6, QColor(229, 72, 77, 210), QColor(150, 30, 36, 210), kRed.lighter(130));
        Text(p, r, "EQ BYPASS", 24, Qt::white, true);
    });
    for (int t = 0; t < 17; ++t) {
        const QString label = t < 15 ? QString::number(t + 1) : (t == 15 ? "L" : "H");
        const quorix::graph::Rgb rgb =
            quorix::graph::kCurveColours[static_cast<std::size_t>(t)]; // markers match their curves
        const QColor colour(rgb.red, rgb.green, rgb.blue);
        const QString what = t < 15 ? "band " + label : (t == 15 ? "low-pass filter" : "high-pass filter");
        Add(e, 325 + t, 33, 33, "graph marker of the selected point: " + what,
            [label, colour](QPainter& p, const QRectF& r) { Marker(p, r, label, colour, true); });
        Add(e, 342 + t, 17, 17, "graph marker: " + what,
            [label, colour](QPainter& p, const QRectF& r) { Marker(p, r, label, colour, false); });
    }
}

void WindowBackdrop(QPainter& p, const QRectF& r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor("#1c2027"));
    g.setColorAt(1, QColor("#111418"));
    p.fillRect(r, g);
    p.setPen(QPen(QColor(255, 255, 255, 10), 1));
    for (qreal y = 0.5; y < r.height(); y += 4)
        p.drawLine(QPointF(0, y), QPointF(r.width(), y));
    p.setPen(QPen(kEdge, 1));
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

// A secondary window's background: the backdrop, one inset panel and the
// titles and labels its table places in the image.
void SecondaryWindow(Entries& e, const quorix::tables::WindowTable& table)
{
    const QString role = "window background " + quorix::controls::QtText(table.caption) + " (" +
                         quorix::controls::QtText(table.objectName) + ") with its titles and labels";
    Add(e, table.background, table.width, table.height, role, [table](QPainter& p, const QRectF& r) {
        WindowBackdrop(p, r);
        Panel(p, r.adjusted(6, 6, -6, -6), 6, QColor("#20252c"), QColor("#181b20"), kEdge);
        for (const quorix::tables::ArtText& t : table.art) {
            const QRectF box(t.x, t.y, t.width, t.pixelSize + 6);
            const int align = static_cast<int>(t.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
            Text(p, box, quorix::controls::QtText(t.text), t.pixelSize, t.title ? kText : QColor(0xB8, 0xC4, 0xD0),
                 t.title, align);
            if (t.title) {
                p.setPen(QPen(kSinging, 2));
                const qreal y = box.bottom() + 2;
                p.drawLine(QPointF(box.left() + (t.centred ? box.width() / 2 - 14 : 0), y),
                           QPointF(box.left() + (t.centred ? box.width() / 2 + 14 : 28), y));
            }
        }
    });
}

void Windows(Entries& e)
{
    using Main = quorix::tables::TuningWindowGeometry;
    Add(e, Main::kBackground, Main::kDesignWidth, Main::kDesignHeight, "window background (main window and galleries)",
        WindowBackdrop);
    Add(e, Main::kPanelBackground, Main::kPanelWidth, Main::kPanelHeight,
        "page panel background (the controls of one page)",
        [](QPainter& p, const QRectF& r) { Panel(p, r, 6, QColor("#20252c"), QColor("#181b20"), kEdge); });
    SecondaryWindow(e, quorix::tables::StartupSettingsTable());
    SecondaryWindow(e, quorix::tables::RecordingWindowTable());
    SecondaryWindow(e, quorix::tables::EffectWindowTable());
}

} // namespace

std::vector<SkinEntry> SkinCatalog()
{
    Entries e;
    TextButtons(e);
    PageTabs(e);
    SliderParts(e);
    BandFader(e);
    DropDowns(e);
    Indicators(e);
    Icons(e);
    Graph(e);
    Windows(e);
    return e;
}

} // namespace skingen
