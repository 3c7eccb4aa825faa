#include "fader_look.h"

#include "skin_draw.h"

#include "core/rounding.h"
#include "core/value_scales.h"
#include "core/value_tables.h"
#include "core/value_text.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>

#include <algorithm>

namespace quorix::controls {

namespace {

constexpr int kTextPixels = 12;
constexpr int kSmallestTextPixels = 8;
constexpr double kValueBoxWidth = 30;
constexpr double kValueBoxHeight = 18;
const QColor kTextColour(0xDD, 0xDD, 0xDD);
const QColor kGreyedTextColour(0x88, 0x88, 0x88);
// A value the processor was never read for: the console's own, shown in a warm dim tone.
const QColor kNeverReadTextColour(0xB0, 0x98, 0x60);

int BandFill(int style, bool greyOrOff, bool dance)
{
    if (greyOrOff)
        return style ? 377 : 272;
    if (dance)
        return style ? 376 : 276;
    return style ? 375 : 112;
}

int PolarityImage(const FaderInput& f)
{
    return f.polarityInverted() ? (f.polarityPressed() ? 309 : 308) : (f.polarityPressed() ? 311 : 310);
}

QString ScaleText(const FaderInput& f, int position)
{
    return QString::fromStdString(core::ScaleText(f.valueType(), position));
}

void DrawFieldText(QPainter& p, const QString& text, const QColor& colour, const SliderGeometry& g)
{
    DrawSkinText(p, text, colour, QStringLiteral("%1,%2").arg(g.textX).arg(g.textY), g.textField, kTextPixels);
}

void PaintBandFader(QPainter& p, const FaderInput& f, const FaderMarks& marks, double thumb, const QColor& text)
{
    const core::Band& band = f.bandFields();
    const int s = f.eqStyle();
    DrawSkinImageFromRow(p, BandFill(s, marks.greyed || band.bandOff, marks.dance), 0, 0, thumb);
    static constexpr int kSelected[] = {129, 131, 133};
    static constexpr int kUnselected[] = {130, 132, 134};
    for (int shape = 0; shape < 3; ++shape) {
        const int id = shape == band.shape ? (marks.greyed ? 300 + shape : kSelected[shape]) : kUnselected[shape];
        DrawSkinImage(p, id, 0, 60 + 18 * shape);
    }
    DrawSkinImage(p, marks.greyed ? 107 : (f.forceShowFocus() && !band.bandOff ? 270 : 102), 16, thumb - 8);
    const int gain = std::min(f.position(), f.maxValue()) + 10;
    DrawSkinText(p, QString::fromStdString(core::GainText(gain)), text, QStringLiteral("8,%1").arg(125 + 33 * s), 4,
                 kTextPixels);
    DrawSkinText(p, QString::fromStdString(f.fieldText(FaderInput::EntryField::Frequency)), text,
                 QStringLiteral("9,%1").arg(138 + 36 * s), 4, kTextPixels);
    DrawSkinText(p, QString::fromStdString(f.fieldText(FaderInput::EntryField::Q)), text,
                 QStringLiteral("5,%1").arg(151 + 39 * s), 5, kTextPixels);
    DrawSkinImage(p, band.bandOff ? 295 : 294, 17, 166 + 42 * s);
}

void PaintHorizontal(QPainter& p, const FaderInput& f, const FaderMarks& marks, double thumb, const QColor& text)
{
    const FaderKind kind = f.kind();
    const bool wide = kind != FaderKind::HorizontalCompact && (kind != FaderKind::Horizontal || f.hScrollSize() <= 1);
    const int normal = wide ? 136 : 141;
    const int greyImage = wide ? 271 : 273;
    const int dance = wide ? 275 : 277;
    int fill = normal;
    if (marks.modeDependent)
        fill = marks.greyed || f.bandFields().bandOff ? greyImage : marks.dance ? dance : normal;
    else if (marks.greyed || marks.muted)
        fill = greyImage;
    DrawSkinImageToColumn(p, fill, 0, 0, thumb);
    DrawSkinImage(p, marks.greyed ? 108 : 137, thumb - 7.5, f.geometry().originY);
    DrawFieldText(p, ScaleText(f, std::min(f.position(), f.maxValue())), text, f.geometry());
    if (f.polarityCapable())
        DrawSkinImage(p, PolarityImage(f), 140, f.polarityPressed() ? 6 : 5);
}

} // namespace

QRectF ValueBox(const FaderInput& fader)
{
    if (!IsVerticalLevel(fader.kind()))
        return {};
    return {fader.kind() == FaderKind::Level ? 22.0 : 15.0, 160.0, kValueBoxWidth, kValueBoxHeight};
}

void DrawBoxedText(QPainter& p, const QString& text, const QColor& colour, const SliderGeometry& g, const QRectF& box)
{
    QFont font = SkinFont(kTextPixels);
    double x = g.textX + static_cast<double>(g.textField - text.size()) * 3.0;
    double width = QFontMetricsF(font).horizontalAdvance(text);
    if (x >= box.left() && x + width <= box.right()) {
        DrawFieldText(p, text, colour, g);
        return;
    }
    // Three digits and a sign are wider than the field was laid out for.
    for (int pixels = kTextPixels - 1; width > box.width() - 2 && pixels >= kSmallestTextPixels; --pixels) {
        font.setPixelSize(pixels);
        width = QFontMetricsF(font).horizontalAdvance(text);
    }
    x = box.left() + (box.width() - width) / 2;
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRectF(x, g.textY, width + 1, box.height()), Qt::AlignLeft | Qt::AlignTop, text);
}

void PaintFaderStatic(QPainter& p, const FaderInput& f, int labelId)
{
    const int h = f.hScrollSize();
    switch (f.kind()) {
    case FaderKind::Level:
    case FaderKind::LevelPlain:
        DrawSkinImage(p, 104, 0, 2);
        DrawSkinImage(p, 269, ValueBox(f).left(), ValueBox(f).top());
        break;
    case FaderKind::Band:
        DrawSkinImage(p, f.eqStyle() ? 374 : 113, 0, 0);
        if (labelId != 0)
            DrawSkinImage(p, labelId, 15, 0);
        break;
    case FaderKind::Horizontal: {
        const bool wide = h <= 1;
        DrawSkinImage(p, wide ? 135 : 140, 0, 0);
        if (wide)
            DrawSkinImage(p, 382, h == 0 ? 66 : 37, 0);
        else if (h == 4)
            DrawSkinImage(p, 382, 138, 4);
        else
            DrawSkinImage(p, 269, h == 3 ? 150 : 138, 4);
        break;
    }
    case FaderKind::HorizontalBoxed:
        DrawSkinImage(p, 135, 0, 0);
        DrawSkinImage(p, 139, 126, 5);
        break;
    case FaderKind::HorizontalCompact:
        DrawSkinImage(p, 140, 0, 0);
        DrawSkinImage(p, 138, 57, 1.5);
        break;
    case FaderKind::Knob:
        DrawSkinImage(p, 382, 36, 120);
        break;
    case FaderKind::Short:
        DrawSkinImage(p, 220, 0, 0);
        DrawSkinImage(p, 101, 137, 4);
        break;
    case FaderKind::HorizontalPlain:
        DrawSkinImage(p, 135, 0, 0);
        DrawSkinImage(p, f.valueType() != 0 ? 269 : 101, 135, 5);
        break;
    }
}

void PaintFaderMoving(QPainter& p, const FaderInput& f, const FaderMarks& marks)
{
    const QColor text = marks.greyed ? kGreyedTextColour : marks.neverRead ? kNeverReadTextColour : kTextColour;
    const SliderGeometry& g = f.geometry();
    const int position = std::min(f.position(), f.maxValue());
    const double thumb = ThumbCoordinate(g, position, f.maxValue());
    switch (f.kind()) {
    case FaderKind::Level:
    case FaderKind::LevelPlain:
        if (!marks.greyed)
            DrawSkinImageFromRow(p, 103, 0, 2, thumb - 2);
        DrawSkinImage(p, marks.greyed ? 107 : f.forceShowFocus() ? 270 : 102, g.originX, thumb - 11);
        DrawBoxedText(p, ScaleText(f, position), text, g, ValueBox(f));
        if (f.kind() == FaderKind::Level)
            DrawSkinImage(p, PolarityImage(f), 13, 161);
        break;
    case FaderKind::Band:
        PaintBandFader(p, f, marks, thumb, text);
        break;
    case FaderKind::Knob:
        DrawSkinImage(p, 182, 0, 0, core::RoundHalfEven(KnobAngle(position, f.maxValue())));
        DrawFieldText(p, ScaleText(f, position), text, g);
        break;
    case FaderKind::Short:
        DrawSkinImageToColumn(p, marks.muted ? 274 : 221, 0, 0, thumb);
        DrawSkinImage(p, 383, thumb - 5, g.originY);
        DrawFieldText(p, ScaleText(f, position), text, g);
        break;
    case FaderKind::Horizontal:
    case FaderKind::HorizontalBoxed:
    case FaderKind::HorizontalCompact:
    case FaderKind::HorizontalPlain:
        PaintHorizontal(p, f, marks, thumb, text);
        break;
    }
}

} // namespace quorix::controls
