#include "combo_lists.h"
#include "qt_text.h"

#include "tables/combo_items.h"

#include <array>

namespace quorix::controls {

namespace {

// How each list's control looks, by ShowType; the items come from the tables.
const std::array<ComboList, 12>& Looks()
{
    static const std::array<ComboList, 12> kLooks = {{
        {.width = 138,
         .height = 21,
         .popupHeight = 67.5,
         .face = 150,
         .firstImage = 153,
         .imageX = 6,
         .imageY = 6,
         .arrow = 151,
         .arrowPressed = 152,
         .arrowX = 117,
         .arrowY = 5,
         .arrowPressedY = 7},
        {.width = 138,
         .height = 21,
         .face = 150,
         .firstImage = 224,
         .imageX = 6,
         .imageY = 6,
         .arrow = 151,
         .arrowPressed = 152,
         .arrowX = 117,
         .arrowY = 5,
         .arrowPressedY = 7},
        {.popupHeight = 123.3},
        {.popupHeight = 68.5, .firstImage = 318, .imageX = 6, .imageY = 4},
        {.firstImage = 363},
        {.popupHeight = 54, .firstImage = 365},
        {.popupHeight = 54, .firstImage = 369},
        {.width = 70,
         .height = 21,
         .popupHeight = 137,
         .face = 393,
         .firstImage = 229,
         .arrow = 394,
         .arrowPressed = 394,
         .arrowX = 54,
         .arrowY = 2,
         .arrowPressedY = 3},
        {.popupHeight = 47.25},
        {.popupHeight = 87.75},
        {.popupHeight = 150.7},
        {},
    }};
    return kLooks;
}

} // namespace

ComboList ComboListFor(int showType)
{
    // Any other ShowType looks like the last list, whose items it shows.
    const auto& looks = Looks();
    ComboList list = showType >= 0 && showType < static_cast<int>(looks.size())
                         ? looks[static_cast<std::size_t>(showType)]
                         : looks.back();
    for (const std::string_view item : tables::ComboItems(showType))
        list.items.push_back(QtText(item));
    list.countsFromOne = tables::ComboCountsFromOne(showType);
    return list;
}

} // namespace quorix::controls
