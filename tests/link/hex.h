#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// "FE 00 0A" -> bytes, for fixtures written as they appear on the wire.
inline std::vector<std::uint8_t> Hex(std::string_view text)
{
    std::vector<std::uint8_t> bytes;
    std::string digits;
    for (char c : text)
        if (c != ' ')
            digits.push_back(c);
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}
