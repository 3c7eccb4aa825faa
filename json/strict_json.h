#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorix::json {

// The longest refusal, in bytes: one line of a terminal or a log.
inline constexpr std::size_t kLongestRefusal = 200;

struct StrictJson {
    std::optional<nlohmann::ordered_json> document;
    std::string refusal; // one line: the path of the value at fault, what is wrong, and the text around it
};

// Parses JSON as a configuration's reader needs it: a key given twice in one
// object, more fields in one object, more elements in one array or deeper
// nesting than a configuration has, and a number no double holds are refused
// like a syntax error, as soon as they are read, with the path of the value
// they belong to (`kinds[3].params["0x0E"].value`), never thrown.
StrictJson ParseStrictJson(std::string_view text);

// A text made fit for one line of a message: what is not UTF-8 replaced by
// U+FFFD, controls and line breaks escaped, and cut to at most `limit` bytes
// (at a character boundary) with "…" marking the cut, which it fits within.
std::string OneLine(std::string_view text, std::size_t limit);

} // namespace quorix::json
