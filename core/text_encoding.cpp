#include "text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace quorix::core {

namespace {

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
std::size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

} // namespace

std::vector<std::uint8_t> TextToAnsiBytes(std::string_view utf8)
{
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv cannot convert UTF-8 to GBK");

    std::vector<std::uint8_t> out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t len = std::min(SequenceLength(static_cast<unsigned char>(utf8[pos])), utf8.size() - pos);
        char in[4];
        utf8.copy(in, len, pos);
        char buffer[8];
        char* inPtr = in;
        char* outPtr = buffer;
        std::size_t inLeft = len;
        std::size_t outLeft = sizeof buffer;
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            out.push_back('?');
        } else {
            out.insert(out.end(), buffer, outPtr);
        }
        pos += len;
    }
    iconv_close(cd);
    return out;
}

} // namespace quorix::core
