#pragma once

#include "combo_lists.h"

#include <QWidget>

class QListWidget;

namespace quorix::controls {

// The skinned drop-down of the enumerated parameters. Its list comes from
// ShowType; a press on the face opens a free-floating pop-up list (above the
// control when there is no room below), and picking an item raises Click.
class SkinnedDropDown : public QWidget {
    Q_OBJECT

public:
    explicit SkinnedDropDown(QWidget* parent = nullptr);
    ~SkinnedDropDown() override;

    int showType() const { return m_showType; }
    // Loads the list, as loading a window layout does, and selects the first item.
    void setShowType(int showType);
    int value() const;
    void setValue(int value);
    // Enabled is QWidget's, as on every skinned control; setEnabled() does not repaint
    // (the disabled overlay shows at the next repaint) and closes an open pop-up.
    void setComboEnabled(bool enabled) { setEnabled(enabled); }
    bool comboEnabled() const { return isEnabled(); }

    QString specialFeature;
    int address = -1;

    int selectedIndex() const { return m_selected; }
    bool isOpen() const { return m_open; }
    QListWidget* popup() const { return m_popup; }
    QString selectedText() const;

signals:
    void click(int item);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placePopup();
    void closePopup();
    void pick();

    ComboList m_list;
    int m_showType = 0;
    int m_selected = 0;
    bool m_pressed = false;
    bool m_open = false;
    QListWidget* m_popup = nullptr;
};

} // namespace quorix::controls
