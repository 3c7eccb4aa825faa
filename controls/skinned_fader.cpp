#include "skinned_fader.h"

#include "fader_look.h"
#include "skin_cache.h"
#include "skin_draw.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace quorix::controls {

namespace {

FaderPoint PointOf(const QPointF& at)
{
    return {at.x(), at.y()};
}

} // namespace

SkinnedFader::SkinnedFader(QWidget* parent, ControlContext context) : QWidget(parent)
{
    LoadSkinCache();
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setContext(context);
    applyGeometry();
}

SkinnedFader::~SkinnedFader() = default;

void SkinnedFader::setContext(const ControlContext& context)
{
    m_context = context;
    m_holdTimer.reset();
    if (m_context.scheduler)
        m_holdTimer =
            m_context.scheduler->createTimer(FaderInput::kHoldRepeatMs, false, [this] { act(m_input.holdTick()); });
}

FaderMarks SkinnedFader::marks() const
{
    return m_context.marks ? m_context.marks->marksFor(address, muteAddress) : FaderMarks{};
}

FaderGate SkinnedFader::gate() const
{
    return {m_thumbVisible, isEnabled() && !greyed()};
}

void SkinnedFader::applyGeometry()
{
    setFixedSize(m_input.geometry().width, m_input.geometry().height);
    m_static = QImage();
    update();
}

void SkinnedFader::setKind(FaderKind kind)
{
    m_input.setKind(kind);
    applyGeometry();
}

void SkinnedFader::setValueType(int valueType)
{
    m_input.setValueType(valueType);
    update();
}

void SkinnedFader::setMaxValue(int maxValue)
{
    m_input.setMaxValue(maxValue);
    update();
}

void SkinnedFader::setValue(float raw)
{
    m_input.setValue(raw);
    update();
}

void SkinnedFader::setBand(const core::Band& band)
{
    m_input.setBand(band);
    update();
}

void SkinnedFader::setThumbVisible(bool visible)
{
    m_thumbVisible = visible;
    update();
}

void SkinnedFader::setHScrollSize(int size)
{
    m_input.setHScrollSize(size);
    applyGeometry();
}

void SkinnedFader::setEQNormalStyle(int style)
{
    m_input.setEqStyle(style);
    applyGeometry();
}

void SkinnedFader::setLabelID(int id)
{
    m_labelId = id;
    m_static = QImage();
    update();
}

void SkinnedFader::setForceShowFocus(bool focus)
{
    if (focus == m_input.forceShowFocus())
        return;
    m_input.setForceShowFocus(focus);
    update();
}

void SkinnedFader::rebuildStaticLayer()
{
    const qreal ratio = devicePixelRatioF();
    m_static = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    m_static.setDevicePixelRatio(ratio);
    m_static.fill(Qt::transparent);
    QPainter p(&m_static);
    PaintFaderStatic(p, m_input, m_labelId);
    update();
}

void SkinnedFader::paintEvent(QPaintEvent*)
{
    if (m_static.isNull() || m_static.devicePixelRatio() != devicePixelRatioF())
        rebuildStaticLayer();
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(0, 0, m_static);
    if (m_thumbVisible)
        PaintFaderMoving(p, m_input, marks());
}

void SkinnedFader::act(const FaderReaction& r)
{
    if (r.stopHold && m_holdTimer)
        m_holdTimer->stop();
    if (r.startHold && m_holdTimer)
        m_holdTimer->start();
    if (r.hideEntry && m_entry)
        m_entry->hide();
    if (r.openEntry)
        showEntry();
    if (r.entryText && m_entry)
        m_entry->setText(QString::fromStdString(m_input.entryText()));
    if (r.focusEntry && m_entry) {
        m_entry->setFocus();
        m_entry->selectAll();
    }
    if (r.pointerIn && isEnabled() && !greyed() && !m_input.bandFields().bandOff)
        setCursor(Qt::PointingHandCursor);
    if (r.click)
        emit click();
    if (r.repaint)
        update();
    if (r.scroll)
        emit scrolled();
}

void SkinnedFader::mousePressEvent(QMouseEvent* event)
{
    act(m_input.press(PointOf(event->position()), gate(), width()));
}

void SkinnedFader::mouseMoveEvent(QMouseEvent* event)
{
    act(m_input.move(PointOf(event->position()), (event->buttons() & Qt::LeftButton) != 0, gate()));
}

void SkinnedFader::mouseReleaseEvent(QMouseEvent*)
{
    act(m_input.release(gate(), width()));
}

void SkinnedFader::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt also delivers the second press and release of a double click, whose click
    // already steps a second time; stepping here too would make it three.
    event->accept();
}

void SkinnedFader::hideEvent(QHideEvent* event)
{
    // A hidden control gets no release: the press ends here.
    act(m_input.cancel());
    QWidget::hideEvent(event);
}

void SkinnedFader::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool up = key == Qt::Key_Up || key == Qt::Key_Right;
    const bool down = key == Qt::Key_Down || key == Qt::Key_Left;
    FaderReaction r;
    if ((up || down) && m_input.key(up ? FaderInput::Key::Up : FaderInput::Key::Down, gate(), r)) {
        act(r);
        return;
    }
    QWidget::keyPressEvent(event);
}

void SkinnedFader::wheelEvent(QWheelEvent* event)
{
    event->accept();
    const bool plain =
        event->modifiers() == Qt::NoModifier && event->buttons() == Qt::NoButton && event->angleDelta().x() == 0;
    act(m_input.wheel(PointOf(event->position()), event->angleDelta().y(), plain, gate()));
}

void SkinnedFader::leaveEvent(QEvent*)
{
    unsetCursor();
    act(m_input.leave());
}

void SkinnedFader::showEntry()
{
    const int s = m_input.eqStyle();
    static constexpr int kLefts[] = {3, 4, 4};
    const int tops[] = {123 + 33 * s, 136 + 36 * s, 149 + 39 * s};
    const int index = static_cast<int>(m_input.entryField());
    if (!m_entry) {
        // Made on first use: only band faders have one, and a window holds a hundred of them.
        m_entry = new QLineEdit(this);
        m_entry->setFrame(false);
        m_entry->setFont(SkinFont(11));
        m_entry->setStyleSheet(
            "QLineEdit { background: #0c0f13; color: #ffffff; border: 1px solid #3d8bff; padding: 0; }");
        m_entry->installEventFilter(this);
    }
    m_entry->setGeometry(kLefts[index], tops[index], width() - 2 * kLefts[index], 15);
    m_entry->setText(QString::fromStdString(m_input.entryText()));
    m_entry->show();
}

bool SkinnedFader::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_entry)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            act(m_input.commitEntry(m_entry->text().toStdString()));
            return true;
        }
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            FaderReaction r;
            m_input.key(key == Qt::Key_Up ? FaderInput::Key::Up : FaderInput::Key::Down, gate(), r);
            act(r);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        m_input.entryClosed();
        m_entry->hide(); // leaving the box keeps nothing that was typed
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace quorix::controls
