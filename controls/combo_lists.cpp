#include "combo_lists.h"
#include "qt_text.h"

#include "tables/combo_items.h"

namespace quorix::controls {

ComboList ComboListFor(int showType)
{
    ComboList list;
    for (const std::string_view item : tables::ComboItems(showType))
        list.items.push_back(QtText(item));
    list.countsFromOne = tables::ComboCountsFromOne(showType);
    switch (showType) {
    case 0:
    case 1:
        list.width = 138;
        list.height = 21;
        list.popupHeight = showType == 0 ? 67.5 : 33.75;
        list.face = 150;
        list.firstImage = showType == 0 ? 153 : 224;
        list.imageX = 6;
        list.imageY = 6;
        list.arrow = 151;
        list.arrowPressed = 152;
        list.arrowX = 117;
        list.arrowY = 5;
        list.arrowPressedY = 7;
        break;
    case 2:
        list.popupHeight = 123.3;
        break;
    case 3:
        list.popupHeight = 68.5;
        list.firstImage = 318;
        list.imageX = 6;
        list.imageY = 4;
        break;
    case 4:
        list.firstImage = 363;
        break;
    case 5:
        list.popupHeight = 54;
        list.firstImage = 365;
        break;
    case 6:
        list.popupHeight = 54;
        list.firstImage = 369;
        break;
    case 7:
        list.width = 70;
        list.height = 21;
        list.popupHeight = 137;
        list.face = 393;
        list.firstImage = 229;
        list.arrow = 394;
        list.arrowPressed = 394;
        list.arrowX = 54;
        list.arrowY = 2;
        list.arrowPressedY = 3;
        break;
    case 8:
        list.popupHeight = 47.25;
        break;
    case 9:
        list.popupHeight = 87.75;
        break;
    case 10:
        list.popupHeight = 150.7;
        break;
    default:
        break;
    }
    return list;
}

} // namespace quorix::controls
