#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorix::platform {

// One character between UTF-8 and GBK (code page 936): iconv on POSIX,
// MultiByteToWideChar/WideCharToMultiByte on Windows. Empty when the other side
// has no form for it or the bytes are not one whole character.
std::optional<std::string> Utf8CharacterToGbk(std::string_view utf8Character);
std::optional<std::string> GbkCharacterToUtf8(std::string_view gbkCharacter);

} // namespace quorix::platform
