#include "gbk_text.h"

#include <iconv.h>

namespace quorix::platform {

namespace {

std::optional<std::string> Convert(const char* to, const char* from, std::string_view character)
{
    const iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string in(character);
    char out[16];
    char* inPtr = in.data();
    char* outPtr = out;
    std::size_t inLeft = in.size();
    std::size_t outLeft = sizeof out;
    const bool whole = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) &&
                       ::iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    ::iconv_close(cd);
    if (!whole || outPtr == out)
        return std::nullopt;
    return std::string(out, outPtr);
}

} // namespace

std::optional<std::string> Utf8CharacterToGbk(std::string_view utf8Character)
{
    return Convert("GBK", "UTF-8", utf8Character);
}

std::optional<std::string> GbkCharacterToUtf8(std::string_view gbkCharacter)
{
    return Convert("UTF-8", "GBK", gbkCharacter);
}

} // namespace quorix::platform
