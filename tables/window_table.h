#pragma once

#include "control_row.h"

#include <span>
#include <string_view>

namespace quorix::tables {

// A text that belongs to a window's background image (a title, a row or column
// label): skingen draws it into the image, the window never draws it.
struct ArtText {
    int x = 0; // pixels at 96 dpi, the top-left of the text's box
    int y = 0;
    int width = 0;
    std::string_view text{};
    int pixelSize = 12;
    bool centred = false;
    bool title = false; // drawn large and bright
};

// A secondary window as one table: its caption and design size, its background
// image with the texts drawn into it, and its bound controls.
struct WindowTable {
    std::string_view objectName{};
    std::string_view caption{};
    int width = 0;
    int height = 0;
    int background = 0;
    ControlTable controls{};
    std::span<const ArtText> art{};
};

} // namespace quorix::tables
