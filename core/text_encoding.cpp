#include "text_encoding.h"

#include "platform/gbk_text.h"

#include <algorithm>
#include <optional>

namespace quorix::core {

namespace {

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
std::size_t Utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// A GBK lead byte (0x81..0xFE) starts a two-byte character.
std::size_t GbkSequenceLength(std::uint8_t lead)
{
    return lead >= 0x81 && lead <= 0xFE ? 2 : 1;
}

} // namespace

// One character at a time, so both systems substitute exactly the same characters.
std::vector<std::uint8_t> TextToAnsiBytes(std::string_view utf8)
{
    std::vector<std::uint8_t> out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t len = std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8[pos])), utf8.size() - pos);
        const auto character = static_cast<unsigned char>(utf8[pos]) < 0x80
                                   ? std::optional<std::string>(utf8.substr(pos, 1))
                                   : platform::Utf8CharacterToGbk(utf8.substr(pos, len));
        if (character)
            out.insert(out.end(), character->begin(), character->end());
        else
            out.push_back('?');
        pos += len;
    }
    return out;
}

std::string AnsiBytesToText(std::span<const std::uint8_t> gbk)
{
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    for (std::size_t pos = 0; pos < gbk.size();) {
        const std::size_t len = std::min(GbkSequenceLength(gbk[pos]), gbk.size() - pos);
        const std::string bytes(gbk.begin() + static_cast<std::ptrdiff_t>(pos),
                                gbk.begin() + static_cast<std::ptrdiff_t>(pos + len));
        const auto character =
            gbk[pos] < 0x80 ? std::optional<std::string>(bytes) : platform::GbkCharacterToUtf8(bytes);
        out += character ? *character : "?";
        pos += len;
    }
    return out;
}

} // namespace quorix::core
