#pragma once

#include "control_context.h"
#include "slider_geometry.h"

#include <QImage>
#include <QPointF>
#include <QString>
#include <QWidget>

#include <memory>

class QLineEdit;

namespace quorix::controls {

// The skinned slider through which every continuous parameter is set: level
// sliders, the equaliser band fader (gain, frequency, Q, shape, on/off),
// horizontal sliders and a rotary knob, chosen by ScrollBarType. The raw value
// goes through the ValueType scale; setting anything from code raises nothing,
// user changes raise Scroll.
class SkinnedFader : public QWidget {
    Q_OBJECT

public:
    explicit SkinnedFader(QWidget* parent = nullptr, ControlContext context = {});
    ~SkinnedFader() override;

    void setContext(const ControlContext& context);
    // Enabled is QWidget's (setEnabled), as on every skinned control.

    int ScrollBarType() const { return m_type; }
    // Also applies the fixed scales of kinds 0, 1 and 8 and the initial position, as loading a layout does.
    void setScrollBarType(int type);
    int ValueType() const { return m_valueType; }
    void setValueType(int valueType);
    int MaxValue() const { return m_maxValue; }
    void setMaxValue(int maxValue);
    float Value() const;
    void setValue(float raw);
    bool TVisible() const { return m_tVisible; }
    void setTVisible(bool visible);
    int HScrollSize() const { return m_hScrollSize; }
    void setHScrollSize(int size);
    int EQNormalStyle() const { return m_eqStyle; }
    void setEQNormalStyle(int style);
    int LabelID() const { return m_labelId; }
    void setLabelID(int id);
    bool ForceShowFocus() const { return m_forceShowFocus; }
    void setForceShowFocus(bool focus);

    // Stored without repainting; the host calls Refresh afterwards.
    bool EQdisabled = false;
    int QType = 0;
    int Freq = 86;
    int q = 10;
    int sQ = 8;
    int Addr = -1;
    QString EQindex;
    int MuteRAMindex = 0;
    QString SpecialFeature;

    int position() const { return m_position; }
    bool polarityInverted() const { return m_polarity; }
    bool greyed() const;
    // The entry box of a band fader's typed values; null until first opened.
    QLineEdit* entryBox() const { return m_entry; }

    void Refresh();
    // Rebuilds the static layer (track, value box, background) of the control.
    void BkGround_Init(bool showHide = false);
    void RaiseEventScroll() { emit Scroll(); }

signals:
    void Scroll();
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class EntryField { Gain, Frequency, Q };

    void applyGeometry();
    bool polarityCapable() const;
    bool modeDependent() const;
    bool danceLook() const;
    int muteValue() const;
    bool isBandFader() const { return m_type == 1; }
    // Steps by one key (Qt::Key_Up/Down/Left/Right); returns whether the key was consumed.
    bool handleKey(int key);
    void clickStep();
    void holdTick();
    void stepField(EntryField field, bool up);
    QString fieldText(EntryField field) const;
    void openEntry(EntryField field);
    void commitEntry();
    void paintStatic(QPainter& p) const;
    void paintDynamic(QPainter& p) const;
    void paintBandFader(QPainter& p, double thumb, const QColor& text) const;
    void paintHorizontal(QPainter& p, double thumb, const QColor& text) const;

    ControlContext m_context;
    std::unique_ptr<core::Timer> m_holdTimer;
    SliderGeometry m_geometry;
    int m_type = 0;
    int m_valueType = 0;
    int m_maxValue = 80;
    int m_position = 40;
    int m_hScrollSize = 0;
    int m_eqStyle = 0;
    int m_labelId = 105;
    bool m_tVisible = true;
    bool m_forceShowFocus = false;
    bool m_polarity = false;
    bool m_polarityPressed = false;
    bool m_dragging = false;
    bool m_moved = false;
    bool m_inside = false;
    bool m_boxOpened = false;
    QPointF m_pressPoint;
    QPointF m_lastPoint{-1, -1};
    int m_pressPosition = 0;
    double m_grabOffset = 0;
    int m_lastReported = 0;
    int m_holdTarget = 0;
    int m_holdTicks = 0;
    EntryField m_entryField = EntryField::Gain;
    QLineEdit* m_entry = nullptr;
    QImage m_static;
};

} // namespace quorix::controls
