#include "skinned_button.h"

#include "skin_cache.h"
#include "skin_draw.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace quorix::controls {

SkinnedButton::SkinnedButton(QWidget* parent) : QWidget(parent)
{
    LoadSkinCache();
    setMouseTracking(true);
    setPNGIndexStr("142,143");
}

QString SkinnedButton::pngIndexStr() const
{
    QStringList texts;
    for (const int id : m_ids)
        texts.push_back(QString::number(id));
    return texts.join(',');
}

void SkinnedButton::setPNGIndexStr(const QString& ids)
{
    QVector<int> parsed;
    for (const QString& part : ids.split(',', Qt::SkipEmptyParts))
        parsed.push_back(part.trimmed().toInt());
    setImages(parsed);
}

void SkinnedButton::setImages(std::span<const int> ids)
{
    m_ids = QVector<int>(ids.begin(), ids.end());
    const QSize first = m_ids.isEmpty() ? QSize() : SkinCache::instance().size(m_ids.front());
    if (!first.isEmpty())
        setFixedSize(first);
    update();
}

int SkinnedButton::value() const
{
    return m_action == TwoPositionInverted ? 1 - m_stored : m_stored;
}

void SkinnedButton::setValue(int value)
{
    if (m_action == Toggle || m_action == TwoPosition || m_action == TwoPositionInverted)
        value = std::clamp(value, 0, 1);
    m_stored = m_action == TwoPositionInverted ? 1 - value : value;
    update();
}

void SkinnedButton::changeEvent(QEvent* event)
{
    if (event->type() != QEvent::EnabledChange) {
        QWidget::changeEvent(event);
        return;
    }
    if (specialFeature == "DisabledRefresh")
        repaint();
}

int SkinnedButton::shownImage() const
{
    if (m_stored < 0 || m_stored >= m_ids.size())
        return 0;
    const int id = m_ids[m_stored];
    if (!isEnabled()) {
        if (id == 312)
            return 317;
        if ((id == 162 || id == 170 || id == 174 || id == 218 || id == 219) && m_ids.size() > 2)
            return m_ids[2];
    }
    return id;
}

void SkinnedButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (const int id = shownImage())
        DrawSkinImage(p, id, 0, 0);
}

void SkinnedButton::mousePressEvent(QMouseEvent* event)
{
    if (!isEnabled())
        return;
    const QPointF pt = event->position();
    emit mouseDown(static_cast<int>(event->button()), static_cast<int>(event->modifiers()), static_cast<float>(pt.x()),
                   static_cast<float>(pt.y()));
    switch (m_action) {
    case Toggle:
        m_stored = m_stored == 0 ? 1 : 0;
        emit click();
        break;
    case Momentary:
        m_stored = 1;
        break;
    case HostDecides:
        emit click();
        break;
    default:
        m_stored = pt.x() >= width() / 2.0 ? 1 : 0;
        emit click();
        break;
    }
    repaint();
}

void SkinnedButton::mouseReleaseEvent(QMouseEvent*)
{
    if (!isEnabled())
        return;
    if (m_action == Momentary) {
        m_stored = 0;
        emit click();
    }
    repaint();
}

void SkinnedButton::mouseMoveEvent(QMouseEvent*)
{
    if (m_hover)
        return;
    m_hover = true;
}

void SkinnedButton::leaveEvent(QEvent*)
{
    m_hover = false;
    emit mouseLeave();
    update();
}

void SkinnedButton::wheelEvent(QWheelEvent* event)
{
    event->accept();
    if (event->modifiers() != Qt::NoModifier || event->buttons() != Qt::NoButton || event->angleDelta().x() != 0)
        return;
    if (event->angleDelta().y() == 120)
        emit scrolled(true);
    else if (event->angleDelta().y() == -120)
        emit scrolled(false);
}

} // namespace quorix::controls
