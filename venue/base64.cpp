#include "base64.h"

#include <array>

namespace quorix::venue {

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<int, 256> DecodingTable()
{
    std::array<int, 256> table{};
    table.fill(-1);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int>(i);
    return table;
}

constexpr std::array<int, 256> kValues = DecodingTable();

} // namespace

std::string EncodeBase64(const std::vector<std::uint8_t>& bytes)
{
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        std::uint32_t group = std::uint32_t{bytes[i]} << 16;
        if (left > 1)
            group |= std::uint32_t{bytes[i + 1]} << 8;
        if (left > 2)
            group |= bytes[i + 2];
        for (std::size_t k = 0; k < 4; ++k)
            text += k <= left ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text)
{
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(text.size() / 4 * 3);
    std::size_t size = 0;
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const std::size_t padding = last ? std::size_t{text[i + 3] == '='} + std::size_t{text[i + 2] == '='} : 0;
        if (padding == 1 && text[i + 2] == '=')
            return std::nullopt;
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const int value = k >= 4 - padding ? 0 : kValues[static_cast<unsigned char>(text[i + k])];
            if (value < 0)
                return std::nullopt;
            group = group << 6 | static_cast<std::uint32_t>(value);
        }
        // Bits the padding leaves over must be zero, or two texts would decode alike.
        if ((padding == 1 && (group & 0xFF) != 0) || (padding == 2 && (group & 0xFFFF) != 0))
            return std::nullopt;
        bytes[size++] = static_cast<std::uint8_t>(group >> 16);
        if (padding < 2)
            bytes[size++] = static_cast<std::uint8_t>(group >> 8);
        if (padding < 1)
            bytes[size++] = static_cast<std::uint8_t>(group);
    }
    bytes.resize(size);
    return bytes;
}

} // namespace quorix::venue
