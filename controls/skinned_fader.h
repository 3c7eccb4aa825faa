#pragma once

#include "control_context.h"
#include "fader_input.h"

#include "core/band.h"

#include <QImage>
#include <QWidget>

#include <memory>

class QLineEdit;

namespace quorix::controls {

// The skinned fader through which every continuous parameter is set: level
// sliders, the equaliser band fader (gain, frequency, Q, shape, on/off),
// horizontal sliders and a rotary knob. Its input rules live in FaderInput and
// its painting in the fader look; this widget turns Qt events into calls to
// them. Setting anything from code raises nothing; user changes raise Scroll.
class SkinnedFader : public QWidget {
    Q_OBJECT

public:
    explicit SkinnedFader(QWidget* parent = nullptr, ControlContext context = {});
    ~SkinnedFader() override;

    void setContext(const ControlContext& context);
    // Enabled is QWidget's (setEnabled), as on every skinned control.

    FaderKind kind() const { return m_input.kind(); }
    // Also applies the fixed scales of the level and band kinds and the initial position, as loading a layout does.
    void setKind(FaderKind kind);
    int valueType() const { return m_input.valueType(); }
    void setValueType(int valueType);
    int maxValue() const { return m_input.maxValue(); }
    void setMaxValue(int maxValue);
    float value() const { return m_input.value(); }
    void setValue(float raw);
    bool thumbVisible() const { return m_thumbVisible; }
    void setThumbVisible(bool visible);
    int hScrollSize() const { return m_input.hScrollSize(); }
    void setHScrollSize(int size);
    int eqNormalStyle() const { return m_input.eqStyle(); }
    void setEQNormalStyle(int style);
    int labelId() const { return m_labelId; }
    void setLabelID(int id);
    bool forceShowFocus() const { return m_input.forceShowFocus(); }
    void setForceShowFocus(bool focus);

    // A band fader's band (shape, frequency, Q, slope, on/off and, from the position, gain).
    core::Band band() const { return m_input.band(); }
    // Shows a band, its gain as the position; repaints.
    void setBand(const core::Band& band);

    // Stored without repainting; the host calls Refresh afterwards.
    int address = -1;
    int pointIndex = -1; // the graph point the fader stands for, -1 for none
    int muteAddress = 0;

    int position() const { return m_input.position(); }
    bool polarityInverted() const { return m_input.polarityInverted(); }
    bool greyed() const { return marks().greyed; }
    // Whether its value is drawn as the console's own, never read from the processor.
    bool neverRead() const { return marks().neverRead; }
    // The entry box of a band fader's typed values; null until first opened.
    QLineEdit* entryBox() const { return m_entry; }

    // Rebuilds the static layer (track, value box, background) of the control.
    void rebuildStaticLayer();
    // What a user's move of the control says: tests and the accessibility interface use it.
    void notifyScrolled() { emit scrolled(); }

signals:
    void scrolled();
    void click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FaderMarks marks() const;
    FaderGate gate() const;
    void applyGeometry();
    void act(const FaderReaction& reaction);
    void showEntry();

    ControlContext m_context;
    std::unique_ptr<core::Timer> m_holdTimer;
    FaderInput m_input;
    int m_labelId = 105;
    bool m_thumbVisible = true;
    QLineEdit* m_entry = nullptr;
    QImage m_static;
};

} // namespace quorix::controls
