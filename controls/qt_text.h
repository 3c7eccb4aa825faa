#pragma once

#include <QString>

#include <string_view>

namespace quorix::controls {

// The console's texts are UTF-8 string views; Qt wants QString.
inline QString QtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace quorix::controls
