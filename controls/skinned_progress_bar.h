#pragma once

#include <QWidget>

namespace quorix::controls {

// The progress indicator of long transfers, drawn with lines and text: a yellow
// frame, a red-to-blue gradient proportional to the progress, and a message.
class SkinnedProgressBar : public QWidget {
    Q_OBJECT

public:
    explicit SkinnedProgressBar(QWidget* parent = nullptr);

    int value() const { return m_value; }
    // Stores min(value, MaxValue) and repaints.
    void setValue(int value);
    int maxValue() const { return m_maxValue; }
    void setMaxValue(int maxValue);
    int showContent() const { return m_showContent; }
    // Does not repaint.
    void setShowContent(int showContent) { m_showContent = showContent; }
    QString text() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int m_value = 0;
    int m_maxValue = 100;
    int m_showContent = 0;
};

} // namespace quorix::controls
