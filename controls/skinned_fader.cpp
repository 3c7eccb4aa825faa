#include "skinned_fader.h"

#include "skin_cache.h"
#include "skin_draw.h"

#include "core/rounding.h"
#include "core/typed_value.h"
#include "core/value_scales.h"
#include "core/value_tables.h"
#include "core/value_text.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace quorix::controls {

namespace {

constexpr int kHoldRepeatMs = 50;
constexpr int kHoldQuietTicks = 4;
constexpr int kBandPositionMax = 360; // -24.0 .. +12.0 dB
const QColor kTextColour(0xDD, 0xDD, 0xDD);
const QColor kGreyedTextColour(0x88, 0x88, 0x88);

int BandFill(int style, bool greyOrOff, bool dance)
{
    if (greyOrOff)
        return style ? 377 : 272;
    if (dance)
        return style ? 376 : 276;
    return style ? 375 : 112;
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
        m_holdTimer = m_context.scheduler->createTimer(kHoldRepeatMs, false, [this] { holdTick(); });
}

void SkinnedFader::applyGeometry()
{
    m_geometry = GeometryFor(m_type, m_hScrollSize, m_eqStyle);
    setFixedSize(m_geometry.width, m_geometry.height);
    m_static = QImage();
    update();
}

void SkinnedFader::setScrollBarType(int type)
{
    m_type = type;
    if (type == 0 || type == 1 || type == 8) {
        m_valueType = type == 0 ? 10 : type == 1 ? 15 : 0;
        m_maxValue = type == 0 ? 150 : type == 1 ? kBandPositionMax : 80;
    }
    m_position = type == 1 ? 240 : core::RoundHalfEven(m_maxValue / 2.0);
    applyGeometry();
}

void SkinnedFader::setValueType(int valueType)
{
    m_valueType = valueType;
    update();
}

void SkinnedFader::setMaxValue(int maxValue)
{
    m_maxValue = maxValue <= 0 ? 1 : maxValue;
    update();
}

bool SkinnedFader::polarityCapable() const
{
    return m_type == 0 || ((m_type == 2 || m_type == 3 || m_type == 7) && m_hScrollSize == 3);
}

float SkinnedFader::Value() const
{
    const float raw = core::ScalePositionToRaw(m_valueType, m_position);
    return polarityCapable() ? core::JoinPolarity(raw, m_polarity) : raw;
}

void SkinnedFader::setValue(float raw)
{
    if (polarityCapable()) {
        const core::PolaritySplit split = core::SplitPolarity(raw);
        m_polarity = split.inverted;
        raw = split.raw;
    }
    m_position = core::RawToSliderPosition(m_valueType, raw, m_maxValue);
    m_lastReported = m_position;
    update();
}

void SkinnedFader::setTVisible(bool visible)
{
    m_tVisible = visible;
    update();
}

void SkinnedFader::setHScrollSize(int size)
{
    m_hScrollSize = size;
    applyGeometry();
}

void SkinnedFader::setEQNormalStyle(int style)
{
    m_eqStyle = style;
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
    if (focus == m_forceShowFocus)
        return;
    m_forceShowFocus = focus;
    update();
}

bool SkinnedFader::modeDependent() const
{
    return m_context.store && Addr >= 0 && Addr < core::kAddressCount && m_context.store->at(0, Addr).PerMode;
}

bool SkinnedFader::greyed() const
{
    return m_context.view && m_context.view->AutoModeControl == 1 && modeDependent();
}

bool SkinnedFader::danceLook() const
{
    return m_context.view && m_context.view->CurrentMode == 1 && modeDependent();
}

int SkinnedFader::muteValue() const
{
    if (!m_context.store || MuteRAMindex <= 0 || MuteRAMindex >= core::kAddressCount)
        return 0;
    return m_context.store->at(0, MuteRAMindex).Value;
}

void SkinnedFader::Refresh()
{
    update();
}

void SkinnedFader::BkGround_Init(bool)
{
    const qreal ratio = devicePixelRatioF();
    m_static = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    m_static.setDevicePixelRatio(ratio);
    m_static.fill(Qt::transparent);
    QPainter p(&m_static);
    paintStatic(p);
    update();
}

void SkinnedFader::paintStatic(QPainter& p) const
{
    switch (m_type) {
    case 0:
    case 8:
        DrawSkinImage(p, 104, 0, 2);
        DrawSkinImage(p, 269, m_type == 0 ? 22 : 15, 160);
        break;
    case 1:
        DrawSkinImage(p, m_eqStyle ? 374 : 113, 0, 0);
        if (m_labelId != 0)
            DrawSkinImage(p, m_labelId, 15, 0);
        break;
    case 2: {
        const bool wide = m_hScrollSize <= 1;
        DrawSkinImage(p, wide ? 135 : 140, 0, 0);
        if (wide)
            DrawSkinImage(p, 382, m_hScrollSize == 0 ? 66 : 37, 0);
        else if (m_hScrollSize == 4)
            DrawSkinImage(p, 382, 138, 4);
        else
            DrawSkinImage(p, 269, m_hScrollSize == 3 ? 150 : 138, 4);
        break;
    }
    case 3:
        DrawSkinImage(p, 135, 0, 0);
        DrawSkinImage(p, 139, 126, 5);
        break;
    case 4:
        DrawSkinImage(p, 140, 0, 0);
        DrawSkinImage(p, 138, 57, 1.5);
        break;
    case 5:
        DrawSkinImage(p, 382, 36, 120);
        break;
    case 6:
        DrawSkinImage(p, 220, 0, 0);
        DrawSkinImage(p, 101, 137, 4);
        break;
    case 7:
        DrawSkinImage(p, 135, 0, 0);
        DrawSkinImage(p, m_valueType != 0 ? 269 : 101, 135, 5);
        break;
    default:
        break;
    }
}

void SkinnedFader::paintEvent(QPaintEvent*)
{
    if (m_static.isNull() || m_static.devicePixelRatio() != devicePixelRatioF())
        const_cast<SkinnedFader*>(this)->BkGround_Init(false);
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(0, 0, m_static);
    if (m_tVisible)
        paintDynamic(p);
}

void SkinnedFader::paintDynamic(QPainter& p) const
{
    const bool grey = greyed();
    const QColor text = grey ? kGreyedTextColour : kTextColour;
    const int position = std::min(m_position, m_maxValue);
    const double thumb = ThumbCoordinate(m_geometry, position, m_maxValue);
    const QString position2 = QStringLiteral("%1,%2");
    switch (m_type) {
    case 0:
    case 8:
        if (!grey)
            DrawSkinImageFromRow(p, 103, 0, 2, thumb - 2);
        DrawSkinImage(p, grey ? 107 : m_forceShowFocus ? 270 : 102, m_geometry.originX, thumb - 11);
        DrawSkinText(p, QString::fromStdString(core::ScaleText(m_valueType, position)), text,
                     position2.arg(m_geometry.textX).arg(m_geometry.textY), m_geometry.textField, 12);
        if (m_type == 0)
            DrawSkinImage(p, m_polarity ? (m_polarityPressed ? 309 : 308) : (m_polarityPressed ? 311 : 310), 13, 161);
        break;
    case 1:
        paintBandFader(p, thumb, text);
        break;
    case 5:
        DrawSkinImage(p, 182, 0, 0, core::RoundHalfEven(KnobAngle(position, m_maxValue)));
        DrawSkinText(p, QString::fromStdString(core::ScaleText(m_valueType, position)), text,
                     position2.arg(m_geometry.textX).arg(m_geometry.textY), m_geometry.textField, 12);
        break;
    case 6:
        DrawSkinImageToColumn(p, muteValue() == 1 ? 274 : 221, 0, 0, thumb);
        DrawSkinImage(p, 383, thumb - 5, m_geometry.originY);
        DrawSkinText(p, QString::fromStdString(core::ScaleText(m_valueType, position)), text,
                     position2.arg(m_geometry.textX).arg(m_geometry.textY), m_geometry.textField, 12);
        break;
    default:
        paintHorizontal(p, thumb, text);
        break;
    }
}

void SkinnedFader::paintBandFader(QPainter& p, double thumb, const QColor& text) const
{
    const bool grey = greyed();
    const int s = m_eqStyle;
    DrawSkinImageFromRow(p, BandFill(s, grey || EQdisabled, danceLook()), 0, 0, thumb);
    static constexpr int selected[] = {129, 131, 133};
    static constexpr int unselected[] = {130, 132, 134};
    for (int shape = 0; shape < 3; ++shape) {
        const int id = shape == QType ? (grey ? 300 + shape : selected[shape]) : unselected[shape];
        DrawSkinImage(p, id, 0, 60 + 18 * shape);
    }
    DrawSkinImage(p, grey ? 107 : (m_forceShowFocus && !EQdisabled ? 270 : 102), 16, thumb - 8);
    const int gain = std::min(m_position, m_maxValue) + 10;
    DrawSkinText(p, QString::fromStdString(core::GainText(gain)), text, QStringLiteral("8,%1").arg(125 + 33 * s), 4, 12);
    DrawSkinText(p, QString::fromStdString(core::FrequencyText(std::clamp(Freq, 0, core::kFrequencyCount - 1))), text,
                 QStringLiteral("9,%1").arg(138 + 36 * s), 4, 12);
    const int qIndex = std::clamp(QType == 0 ? q : sQ, 0, core::kMaxQIndex);
    DrawSkinText(p, QString::fromStdString(core::QText(qIndex)), text, QStringLiteral("5,%1").arg(151 + 39 * s), 5, 12);
    DrawSkinImage(p, EQdisabled ? 295 : 294, 17, 166 + 42 * s);
}

void SkinnedFader::paintHorizontal(QPainter& p, double thumb, const QColor& text) const
{
    const bool grey = greyed();
    const bool wide = m_type != 4 && (m_type != 2 || m_hScrollSize <= 1);
    const int normal = wide ? 136 : 141;
    const int greyImage = wide ? 271 : 273;
    const int dance = wide ? 275 : 277;
    int fill = normal;
    if (modeDependent())
        fill = grey || EQdisabled ? greyImage : danceLook() ? dance : normal;
    else if (grey || muteValue() == 1)
        fill = greyImage;
    DrawSkinImageToColumn(p, fill, 0, 0, thumb);
    DrawSkinImage(p, grey ? 108 : 137, thumb - 7.5, m_geometry.originY);
    DrawSkinText(p, QString::fromStdString(core::ScaleText(m_valueType, std::min(m_position, m_maxValue))), text,
                 QStringLiteral("%1,%2").arg(m_geometry.textX).arg(m_geometry.textY), m_geometry.textField, 12);
    if (polarityCapable())
        DrawSkinImage(p, m_polarity ? (m_polarityPressed ? 309 : 308) : (m_polarityPressed ? 311 : 310), 140,
                      m_polarityPressed ? 6 : 5);
}

void SkinnedFader::mousePressEvent(QMouseEvent* event)
{
    if (!m_tVisible || !isEnabled() || greyed())
        return;
    const QPointF pt = event->position();
    m_lastPoint = pt;
    m_inside = true; // a press is always over the control
    const BandRows rows = BandRowsFor(m_eqStyle);
    if (isBandFader() && pt.y() > rows.switchTop && pt.y() < rows.switchBottom) {
        EQdisabled = !EQdisabled;
        m_moved = true;
        emit Scroll();
        update();
        return;
    }
    m_polarityPressed = false;
    if ((polarityCapable() && m_type != 0 && pt.x() >= 140 && pt.x() <= 152) ||
        (m_type == 0 && pt.x() >= 13 && pt.x() <= 25 && pt.y() >= 161 && pt.y() <= 170)) {
        m_polarityPressed = true;
        m_moved = true;
        update();
        return;
    }
    if (EQdisabled)
        return;
    m_pressPoint = pt;
    m_moved = false;
    m_boxOpened = false;
    emit Click();

    if (isBandFader()) {
        if (pt.y() > rows.gainTop && pt.y() < rows.gainBottom) {
            openEntry(EntryField::Gain);
            return;
        }
        if (pt.y() > rows.freqTop && pt.y() < rows.freqBottom) {
            openEntry(EntryField::Frequency);
            return;
        }
        if (pt.y() > rows.qTop && pt.y() < rows.qBottom) {
            openEntry(EntryField::Q);
            return;
        }
        if (m_entry)
            m_entry->hide();
        for (int shape = 0; shape < 3; ++shape) {
            const double top = 60 + 18 * shape;
            if (pt.x() < 16 && pt.y() > top && pt.y() < top + 18) {
                QType = shape;
                emit Scroll();
                update();
                m_moved = true;
                return;
            }
        }
    }

    const double thumb = ThumbCoordinate(m_geometry, m_position, m_maxValue);
    m_pressPosition = m_position;
    m_lastReported = m_position;
    if (m_geometry.knob) {
        m_dragging = pt.y() < width();
    } else if (m_geometry.vertical) {
        m_dragging = pt.x() >= m_geometry.originX && pt.x() <= m_geometry.originX + m_geometry.thumbWidth &&
                     pt.y() >= thumb - m_geometry.thumbHeight / 2.0 && pt.y() <= thumb + m_geometry.thumbHeight / 2.0;
        m_grabOffset = pt.y() - thumb;
    } else {
        m_dragging = pt.y() >= m_geometry.originY - 2 && pt.y() <= m_geometry.originY + m_geometry.thumbHeight + 2 &&
                     pt.x() >= thumb - m_geometry.thumbWidth / 2.0 && pt.x() <= thumb + m_geometry.thumbWidth / 2.0;
    }
    if (!m_dragging && !m_geometry.knob) {
        m_holdTarget = PositionAt(m_geometry, m_geometry.vertical ? pt.y() : pt.x(), m_maxValue);
        m_holdTicks = 0;
        if (m_holdTimer)
            m_holdTimer->start();
    }
}

void SkinnedFader::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pt = event->position();
    m_lastPoint = pt;
    if (!m_tVisible)
        return;
    if (!m_inside) {
        m_inside = true;
        if (isEnabled() && !greyed() && !EQdisabled)
            setCursor(Qt::PointingHandCursor);
    }
    if (!(event->buttons() & Qt::LeftButton))
        return;
    if (pt.y() != m_pressPoint.y())
        m_moved = true;
    if (m_holdTimer && m_holdTimer->isActive())
        m_holdTarget = PositionAt(m_geometry, m_geometry.vertical ? pt.y() : pt.x(), m_maxValue);
    if (!m_dragging)
        return;
    if (m_geometry.knob) {
        // The knob turns one step per 100 twips (6.7 pixels at 96 dpi) of vertical travel.
        const double steps = (pt.y() - m_pressPoint.y()) * 15.0 / 100.0;
        m_position = std::clamp(core::RoundHalfEven(m_pressPosition - steps), 0, m_maxValue);
        update();
        emit Scroll();
        return;
    }
    const double coordinate = m_geometry.vertical ? pt.y() - m_grabOffset : pt.x();
    m_position = PositionAt(m_geometry, coordinate, m_maxValue);
    update();
    if (m_position != m_lastReported) {
        m_lastReported = m_position;
        emit Scroll();
    }
}

void SkinnedFader::mouseReleaseEvent(QMouseEvent*)
{
    if (m_polarityPressed) {
        m_polarityPressed = false;
        m_polarity = !m_polarity;
        emit Scroll();
        update();
    } else if (m_boxOpened) {
        m_entry->setFocus();
        m_entry->selectAll();
    }
    m_dragging = false;
    if (m_holdTimer)
        m_holdTimer->stop();
    clickStep();
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
    m_dragging = false;
    m_polarityPressed = false;
    if (m_holdTimer)
        m_holdTimer->stop();
    QWidget::hideEvent(event);
}

void SkinnedFader::clickStep()
{
    if (!m_tVisible || !isEnabled() || greyed() || EQdisabled || m_moved)
        return;
    if (isBandFader() && !m_forceShowFocus) {
        emit Scroll();
        return;
    }
    const double thumb = ThumbCoordinate(m_geometry, m_position, m_maxValue);
    bool up = false;
    if (m_geometry.knob)
        up = m_pressPoint.x() > width() / 2.0;
    else if (m_geometry.vertical)
        up = m_pressPoint.y() < thumb;
    else
        up = m_pressPoint.x() > thumb;
    handleKey(up ? Qt::Key_Up : Qt::Key_Down);
}

void SkinnedFader::holdTick()
{
    if (++m_holdTicks <= kHoldQuietTicks || m_holdTarget == m_position)
        return;
    m_position += m_holdTarget > m_position ? 1 : -1;
    m_lastReported = m_position;
    update();
    emit Scroll();
}

QString SkinnedFader::fieldText(EntryField field) const
{
    switch (field) {
    case EntryField::Gain:
        return QString::fromStdString(core::GainText(m_position + 10));
    case EntryField::Frequency:
        return QString::fromStdString(core::FrequencyText(std::clamp(Freq, 0, core::kFrequencyCount - 1)));
    case EntryField::Q:
        break;
    }
    return QString::fromStdString(core::QText(std::clamp(QType == 0 ? q : sQ, 0, core::kMaxQIndex)));
}

void SkinnedFader::stepField(EntryField field, bool up)
{
    switch (field) {
    case EntryField::Gain:
        m_position = std::clamp(m_position + (up ? 1 : -1), 0, kBandPositionMax);
        break;
    case EntryField::Frequency:
        Freq = core::ClampFrequencyIndex(std::clamp(Freq, 0, core::kFrequencyCount - 1) + (up ? 1 : -1));
        break;
    case EntryField::Q: {
        int& index = QType == 0 ? q : sQ;
        up ? core::StepQIndexUp(index) : core::StepQIndexDown(index);
        index = QType == 0 ? core::ClampQIndex(index) : core::ClampShelfQIndex(index);
        break;
    }
    }
    if (m_entry)
        m_entry->setText(fieldText(field));
    emit Scroll();
    update();
}

bool SkinnedFader::handleKey(int key)
{
    const bool up = key == Qt::Key_Up || key == Qt::Key_Right;
    const bool down = key == Qt::Key_Down || key == Qt::Key_Left;
    if (!up && !down)
        return false;
    if (!m_tVisible)
        return false;
    if (!isEnabled() || greyed() || EQdisabled)
        return true;
    if (m_entry && m_entry->isVisible()) {
        stepField(m_entryField, up);
        return true;
    }
    if (isBandFader()) {
        const BandRows rows = BandRowsFor(m_eqStyle);
        if (m_lastPoint.y() > rows.freqTop && m_lastPoint.y() < rows.freqBottom) {
            stepField(EntryField::Frequency, up);
            return true;
        }
        if (m_lastPoint.y() > rows.qTop && m_lastPoint.y() < rows.qBottom) {
            stepField(EntryField::Q, up);
            return true;
        }
    }
    if (!m_inside)
        return true;
    const int next = m_position + (up ? 1 : -1);
    if (next < 0 || next > m_maxValue)
        return true;
    m_position = next;
    m_lastReported = m_position;
    emit Scroll();
    update();
    return true;
}

void SkinnedFader::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(event->key()))
        QWidget::keyPressEvent(event);
}

void SkinnedFader::wheelEvent(QWheelEvent* event)
{
    event->accept();
    if (!m_tVisible || event->modifiers() != Qt::NoModifier || event->buttons() != Qt::NoButton ||
        event->angleDelta().x() != 0)
        return;
    m_lastPoint = event->position();
    m_inside = true; // wheel events go to the control under the pointer
    const int delta = event->angleDelta().y();
    if (delta == 120)
        handleKey(Qt::Key_Up);
    else if (delta == -120)
        handleKey(Qt::Key_Down);
}

void SkinnedFader::enterEvent(QEnterEvent*)
{
    // The inside flag is set by the first move after entering.
}

void SkinnedFader::leaveEvent(QEvent*)
{
    m_inside = false;
    unsetCursor();
    update();
}

void SkinnedFader::openEntry(EntryField field)
{
    const int s = m_eqStyle;
    static constexpr int lefts[] = {3, 4, 4};
    const int tops[] = {123 + 33 * s, 136 + 36 * s, 149 + 39 * s};
    const int index = static_cast<int>(field);
    m_entryField = field;
    if (!m_entry) {
        // Made on first use: only band faders have one, and a window holds a hundred of them.
        m_entry = new QLineEdit(this);
        m_entry->setFrame(false);
        m_entry->setFont(SkinFont(11));
        m_entry->setStyleSheet("QLineEdit { background: #0c0f13; color: #ffffff; border: 1px solid #3d8bff; padding: 0; }");
        m_entry->installEventFilter(this);
    }
    m_entry->setGeometry(lefts[index], tops[index], width() - 2 * lefts[index], 15);
    m_entry->setText(fieldText(field));
    m_entry->show();
    m_boxOpened = true;
    m_moved = true;
}

void SkinnedFader::commitEntry()
{
    const std::string text = m_entry->text().toStdString();
    switch (m_entryField) {
    case EntryField::Gain:
        m_position = core::ParseTypedValue(core::TypedField::Gain, text) - 10;
        break;
    case EntryField::Frequency:
        Freq = core::ParseTypedValue(core::TypedField::Frequency, text);
        break;
    case EntryField::Q:
        (QType == 0 ? q : sQ) = core::ParseTypedValue(QType == 0 ? core::TypedField::PeakQ : core::TypedField::ShelfQ, text);
        break;
    }
    m_entry->hide();
    m_lastReported = m_position;
    emit Scroll();
    update();
}

bool SkinnedFader::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_entry)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            commitEntry();
            return true;
        }
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            handleKey(key);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        m_entry->hide(); // leaving the box keeps nothing that was typed
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace quorix::controls
