#include "page_panel.h"

#include "controls/qt_text.h"
#include "tables/control_label.h"

#include "controls/skin_draw.h"

#include <QFontMetrics>
#include <QPainter>

namespace quorix::ui {

PagePanel::PagePanel(int backgroundImage, QWidget* parent) : QWidget(parent), m_background(backgroundImage)
{
    setAttribute(Qt::WA_OpaquePaintEvent, backgroundImage != 0);
}

void PagePanel::addLabel(const tables::ControlRow& row)
{
    const std::string_view label = tables::ControlLabel(row);
    if (label.empty() || row.labelDx >= 10000 || row.x >= 10000)
        return;
    m_labels.push_back({QPoint(row.x + row.labelDx, row.y + row.labelDy), controls::QtText(label)});
}

namespace {

constexpr int kLabelFlags = Qt::AlignLeft | Qt::AlignVCenter;

} // namespace

QRect PagePanel::labelBox(const Label& label) const
{
    return QRect(label.at, QSize(120, 14));
}

std::vector<QRect> PagePanel::labelRects() const
{
    const QFontMetrics metrics(controls::SkinFont(12));
    std::vector<QRect> rects;
    for (const Label& label : m_labels)
        rects.push_back(metrics.boundingRect(labelBox(label), kLabelFlags, label.text));
    return rects;
}

void PagePanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_background)
        controls::DrawSkinImage(p, m_background, 0, 0, 0, width(), height());
    p.setFont(controls::SkinFont(12));
    p.setPen(QColor(0xB8, 0xC4, 0xD0));
    for (const Label& label : m_labels)
        p.drawText(labelBox(label), kLabelFlags, label.text);
}

} // namespace quorix::ui
