// The reference for the console's start-up: a bare Qt program that decodes the
// same skin images and opens one window holding as many painted widgets as the
// main tuning window, then quits once it has painted.
#include "app/quit_after_first_paint.h"

#include "controls/skin_cache.h"
#include "controls/skin_draw.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

constexpr int kWidgets = 330; // the main tuning window's controls, panels and graph

class Tile final : public QWidget {
public:
    Tile(int image, QWidget* parent) : QWidget(parent), m_image(image) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        quorix::controls::DrawSkinImage(p, m_image, 0, 0, 0, width(), height());
    }

private:
    int m_image;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    quorix::controls::LoadSkinCache();
    QWidget window;
    window.resize(980, 760);
    Tile* last = nullptr;
    for (int i = 0; i < kWidgets; ++i) {
        last = new Tile(101 + i % 290, &window);
        last->setGeometry((i * 37) % 940, (i * 53) % 700, 40, 60);
    }
    quorix::app::QuitAfterFirstPaint(*last);
    window.show();
    return app.exec();
}
