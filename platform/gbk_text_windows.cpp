#include "gbk_text.h"

#include <windows.h>

namespace quorix::platform {

namespace {

constexpr UINT kGbkCodePage = 936;
constexpr int kLongestCharacter = 8;

std::optional<std::wstring> ToWide(UINT codePage, std::string_view character)
{
    wchar_t wide[kLongestCharacter];
    const int length = character.empty()
                           ? 0
                           : ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, character.data(),
                                                   static_cast<int>(character.size()), wide, kLongestCharacter);
    if (length <= 0)
        return std::nullopt;
    return std::wstring(wide, static_cast<std::size_t>(length));
}

std::optional<std::string> FromWide(UINT codePage, const std::wstring& wide)
{
    char out[2 * kLongestCharacter];
    BOOL usedDefault = FALSE;
    const int length = ::WideCharToMultiByte(codePage, codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS, wide.data(),
                                             static_cast<int>(wide.size()), out, sizeof out, nullptr,
                                             codePage == CP_UTF8 ? nullptr : &usedDefault);
    if (length <= 0 || usedDefault)
        return std::nullopt;
    return std::string(out, static_cast<std::size_t>(length));
}

} // namespace

std::optional<std::string> Utf8CharacterToGbk(std::string_view utf8Character)
{
    const auto wide = ToWide(CP_UTF8, utf8Character);
    return wide ? FromWide(kGbkCodePage, *wide) : std::nullopt;
}

std::optional<std::string> GbkCharacterToUtf8(std::string_view gbkCharacter)
{
    const auto wide = ToWide(kGbkCodePage, gbkCharacter);
    return wide ? FromWide(CP_UTF8, *wide) : std::nullopt;
}

} // namespace quorix::platform
