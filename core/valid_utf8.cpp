#include "valid_utf8.h"

#include <algorithm>

namespace quorix::core {

std::string ValidUtf8(std::string_view text)
{
    constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0; // 0: no character starts with this byte
        unsigned char low = 0x80,
                      high = 0xBF; // the second byte's range: no overlong form, surrogate or value past U+10FFFF
        if (lead < 0x80) {
            length = 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : low;
            high = lead == 0xED ? 0x9F : high;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : low;
            high = lead == 0xF4 ? 0x8F : high;
        }
        std::size_t formed = length == 0 ? 0 : 1;
        while (formed < length && i + formed < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + formed]);
            if (next < (formed == 1 ? low : 0x80) || next > (formed == 1 ? high : 0xBF))
                break;
            ++formed;
        }
        if (length != 0 && formed == length)
            out.append(text.substr(i, length));
        else
            out.append(kReplacement);
        i += std::max<std::size_t>(formed, 1);
    }
    return out;
}

} // namespace quorix::core
