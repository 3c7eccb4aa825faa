#include "combo_lists.h"

#include "core/preset_name.h"

namespace quorix::controls {

namespace {

// Loudspeaker models offered by the startup settings; the second list repeats two of the first.
const QStringList kSpeakersA = {"空", "KA-110", "KA-112", "KA-115", "MV-8", "MV-10"};
const QStringList kSpeakersB = {"空", "KA-112", "MV-10", "CS-6", "CS-8", "PX-12", "PX-15", "SB-18", "SB-21", "TH-5", "TH-8"};

} // namespace

ComboList ComboListFor(int showType)
{
    ComboList list;
    switch (showType) {
    case 0:
    case 1:
        list.items = showType == 0 ? QStringList{"LinkWitz 48dB", "LinkWitz 24dB", "ButterWorth 12dB", "Bessel 24dB", "Bessel 12dB"}
                                   : QStringList{"ButterWorth 12dB", "ButterWorth 24dB"};
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
        list.items = {"AUTO"};
        for (const std::string_view name : core::kPresetNames)
            list.items.append(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
        list.popupHeight = 123.3;
        break;
    case 3:
        list.items = {"用户定义", "房间", "小厅", "大厅", "人声"};
        list.popupHeight = 68.5;
        list.firstImage = 318;
        list.imageX = 6;
        list.imageY = 4;
        break;
    case 4:
        list.items = {"自动", "手动"};
        list.firstImage = 363;
        break;
    case 5:
        list.items = {"关", "1", "2", "3"};
        list.popupHeight = 54;
        list.firstImage = 365;
        break;
    case 6:
        list.items = {"-6dB", "-3dB", "0dB", "+3dB"};
        list.popupHeight = 54;
        list.firstImage = 369;
        break;
    case 7:
        list.items = {"POP", "PRO", "STE", "P01", "P02", "P03", "P04", "P05", "P06", "P07"};
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
        list.items = {"1", "2", "3"};
        list.popupHeight = 47.25;
        list.countsFromOne = true;
        break;
    case 9:
        list.items = kSpeakersA;
        list.popupHeight = 87.75;
        break;
    case 10:
        list.items = kSpeakersB;
        list.popupHeight = 150.7;
        break;
    default:
        list.items = {"4欧", "8欧"};
        break;
    }
    return list;
}

} // namespace quorix::controls
