#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

namespace skingen {

// One image of the skin set: its id, its size in logical pixels, what it is for
// and how it is drawn (into a rectangle of that size).
struct SkinEntry {
    int id;
    int width;
    int height;
    QString role;
    std::function<void(QPainter&, const QRectF&)> paint;
};

std::vector<SkinEntry> SkinCatalog();

} // namespace skingen
