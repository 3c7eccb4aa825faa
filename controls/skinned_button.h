#pragma once

#include <QString>
#include <QVector>
#include <QWidget>

#include <span>

namespace quorix::controls {

// The image button: push buttons, toggles, option buttons, mutes, page tabs and
// indicators. It shows image n of its list while its stored value is n;
// ActionType decides how a press changes the value and when Click is raised.
class SkinnedButton : public QWidget {
    Q_OBJECT

public:
    enum Action { Toggle = 0, Momentary = 1, HostDecides = 2, TwoPosition = 3, TwoPositionInverted = 4 };

    explicit SkinnedButton(QWidget* parent = nullptr);

    QString pngIndexStr() const;
    // Re-parses the list and takes the size of its first image.
    void setPNGIndexStr(const QString& ids);
    // The same list as numbers: image n is shown while the stored value is n.
    void setImages(std::span<const int> ids);
    int value() const;
    void setValue(int value);
    int actionType() const { return m_action; }
    void setActionType(int action) { m_action = action; }
    // Enabled is QWidget's, as on every skinned control: setEnabled() repaints at once
    // only with SpecialFeature "DisabledRefresh"; otherwise at the next repaint.
    void setButtonEnabled(bool enabled) { setEnabled(enabled); }
    bool buttonEnabled() const { return isEnabled(); }

    QString specialFeature;
    int address = -1;

    int storedValue() const { return m_stored; }
    // The image id shown now, after the disabled substitutions; 0 for none.
    int shownImage() const;

signals:
    void click();
    void scrolled(bool up);
    void mouseLeave();
    void mouseDown(int button, int shift, float x, float y);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QVector<int> m_ids;
    int m_stored = 0;
    int m_action = TwoPosition;
    bool m_hover = false;
};

} // namespace quorix::controls
