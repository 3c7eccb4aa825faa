#pragma once

#include "tables/control_row.h"

#include <QWidget>

#include <vector>

namespace quorix::ui {

// A skinned surface (a page panel, the window itself, the strip under the
// graph) that draws its background image stretched to its size and the row
// labels of the controls that sit on it.
class PagePanel : public QWidget {
    Q_OBJECT

public:
    PagePanel(int backgroundImage, QWidget* parent = nullptr);

    struct Label {
        QPoint at;
        QString text;
    };
    void addLabel(const tables::ControlRow& row);
    // Where each label's text is drawn, in the panel's pixels.
    std::vector<QRect> labelRects() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect labelBox(const Label& label) const;

    int m_background;
    std::vector<Label> m_labels;
};

} // namespace quorix::ui
