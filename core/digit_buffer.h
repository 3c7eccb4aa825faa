#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorix::core {

// Password digits as numeric values 0..9, filled before a password request.
class DigitBuffer {
public:
    static constexpr std::size_t kSize = 21;

    // Digit i of the text goes to position start + i as its character code - 48.
    void digitsToBuffer(std::string_view digits, std::size_t start);
    std::uint8_t at(std::size_t index) const;

private:
    std::array<std::uint8_t, kSize> m_digits{};
};

} // namespace quorix::core
