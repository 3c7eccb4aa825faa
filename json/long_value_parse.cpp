#include "long_value_parse.h"

#include <optional>
#include <string>

namespace quorix::json {

namespace {

// A byte a JSON string holds as itself.
bool Plain(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\';
}

bool Space(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

struct Span {
    std::size_t begin = 0; // the value's first byte, past its opening quote
    std::size_t end = 0;   // its closing quote
};

// Where `key`, read as a key of the outermost container, has a string of plain
// bytes for its value. Anything else (the key nested deeper, met only inside a
// string, written with escapes, or its value not such a string) is nothing, and
// the parser reads the text as it is.
std::optional<Span> FindPlainValue(std::string_view text, std::string_view key)
{
    const auto skipSpace = [&](std::size_t at) {
        while (at < text.size() && Space(text[at]))
            ++at;
        return at;
    };
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            --depth;
        } else if (c == '"') {
            std::size_t close = i + 1;
            while (close < text.size() && text[close] != '"')
                close += text[close] == '\\' ? 2 : 1;
            if (close >= text.size())
                return std::nullopt;
            const std::size_t colon = skipSpace(close + 1);
            if (depth == 1 && text.substr(i + 1, close - i - 1) == key && colon < text.size() && text[colon] == ':') {
                const std::size_t open = skipSpace(colon + 1);
                if (open >= text.size() || text[open] != '"')
                    return std::nullopt;
                std::size_t end = open + 1;
                while (end < text.size() && Plain(text[end]))
                    ++end;
                if (end >= text.size() || text[end] != '"')
                    return std::nullopt;
                return Span{open + 1, end};
            }
            i = close;
        }
    }
    return std::nullopt;
}

} // namespace

StrictJson ParseStrictJsonWithLongValue(std::string_view text, std::string_view key)
{
    const auto value = FindPlainValue(text, key);
    if (!value)
        return ParseStrictJson(text);
    std::string rest;
    rest.reserve(text.size() - (value->end - value->begin));
    rest.append(text.substr(0, value->begin)).append(text.substr(value->end));
    StrictJson parsed = ParseStrictJson(rest);
    // A refusal is worded and placed in the text as it came.
    if (!parsed.document)
        return ParseStrictJson(text);
    (*parsed.document)[std::string(key)] = std::string(text.substr(value->begin, value->end - value->begin));
    return parsed;
}

} // namespace quorix::json
