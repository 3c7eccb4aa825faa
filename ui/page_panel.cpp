#include "page_panel.h"

#include "controls/qt_text.h"

#include "controls/skin_draw.h"

#include <QPainter>

namespace quorix::ui {

PagePanel::PagePanel(int backgroundImage, QWidget* parent) : QWidget(parent), m_background(backgroundImage)
{
    setAttribute(Qt::WA_OpaquePaintEvent, backgroundImage != 0);
}

void PagePanel::addLabel(const ControlSpec& spec)
{
    if (spec.label.empty() || spec.labelDx >= 10000 || spec.x >= 10000)
        return;
    m_labels.push_back({QPoint(spec.x + spec.labelDx, spec.y + spec.labelDy),
                        controls::QtText(spec.label)});
}

void PagePanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_background)
        controls::DrawSkinImage(p, m_background, 0, 0, 0, width(), height());
    p.setFont(controls::SkinFont(12));
    p.setPen(QColor(0xB8, 0xC4, 0xD0));
    for (const Label& label : m_labels)
        p.drawText(QRect(label.at, QSize(120, 14)), Qt::AlignLeft | Qt::AlignVCenter, label.text);
}

} // namespace quorix::ui
