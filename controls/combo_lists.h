#pragma once

#include <QString>
#include <QStringList>

namespace quorix::controls {

// The fixed item lists of the drop-down, by ShowType 0..11, with the closed
// control's size, the pop-up height and how the face shows the selection.
struct ComboList {
    QStringList items;
    int width = 87;
    int height = 20;
    double popupHeight = 33.75;
    int face = 384;     // face image
    int firstImage = 0; // the selection as image firstImage + index; 0: as text
    int imageX = 0;
    int imageY = 0;
    int arrow = 227; // arrow image, pressed image (arrow + 1 unless it has none)
    int arrowPressed = 228;
    int arrowX = 74;
    int arrowY = 6;
    int arrowPressedY = 8;
    bool countsFromOne = false;
};

ComboList ComboListFor(int showType);

} // namespace quorix::controls
