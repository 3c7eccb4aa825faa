#pragma once

#include <string>
#include <string_view>

namespace quorix::core {

// The text with every ill-formed UTF-8 sequence replaced by U+FFFD, one for
// each longest well-formed start of one (as Unicode recommends), so that a
// message quoting a file name or a file's content stays readable text.
std::string ValidUtf8(std::string_view text);

} // namespace quorix::core
