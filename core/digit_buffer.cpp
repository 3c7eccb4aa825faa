#include "digit_buffer.h"

#include "checked_index.h"

namespace quorix::core {

void DigitBuffer::digitsToBuffer(std::string_view digits, std::size_t start)
{
    // Check the whole range first so a too-long text writes nothing at all.
    if (!digits.empty())
        CheckIndex("digit buffer", static_cast<long long>(start + digits.size() - 1), 0, kSize - 1);
    for (std::size_t i = 0; i < digits.size(); ++i)
        m_digits[start + i] = static_cast<std::uint8_t>(static_cast<unsigned char>(digits[i]) - 48u);
}

std::uint8_t DigitBuffer::at(std::size_t index) const
{
    return m_digits[CheckIndex("digit buffer", static_cast<long long>(index), 0, kSize - 1)];
}

} // namespace quorix::core
