#pragma once

#include "strict_json.h"

#include <string_view>

namespace quorix::json {

// ParseStrictJson for a document whose object holds one long string, as a
// venue's push holds a configuration of 336 KB in base64: when `key`'s value in
// the top-level object is a string of printable ASCII without escapes, its
// bytes are checked in one quick pass instead of going through the parser byte
// by byte. The outcome, a refusal's wording and place included, is
// ParseStrictJson's for the same text.
StrictJson ParseStrictJsonWithLongValue(std::string_view text, std::string_view key);

} // namespace quorix::json
