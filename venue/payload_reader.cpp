#include "payload_reader.h"

#include "json/strict_json.h"

#include <algorithm>

namespace quorix::venue {

PayloadReader::PayloadReader(const nlohmann::ordered_json& object, std::string_view what)
    : m_object(object), m_what(what)
{
    if (!object.is_object())
        refuse("the " + m_what + " is not a JSON object");
}

void PayloadReader::refuse(std::string reason)
{
    if (m_refusal.empty())
        m_refusal = std::move(reason);
}

const nlohmann::ordered_json* PayloadReader::field(const char* key)
{
    if (!ok())
        return nullptr;
    const auto found = m_object.find(key);
    if (found == m_object.end()) {
        refuse("\"" + std::string(key) + "\" is missing from the " + m_what);
        return nullptr;
    }
    return &*found;
}

std::optional<std::string_view> PayloadReader::text(const char* key, std::size_t longest)
{
    const auto* value = field(key);
    if (!value)
        return std::nullopt;
    if (!value->is_string() || value->get_ref<const std::string&>().size() > longest) {
        refuse("\"" + std::string(key) + "\" is to be a text of at most " + std::to_string(longest) + " bytes");
        return std::nullopt;
    }
    return value->get_ref<const std::string&>();
}

std::optional<int> PayloadReader::integer(const char* key, int lowest, int highest)
{
    const auto number = wholeNumber(key, lowest, highest);
    return number ? std::optional(static_cast<int>(*number)) : std::nullopt;
}

std::optional<std::int64_t> PayloadReader::wholeNumber(const char* key, std::int64_t lowest, std::int64_t highest)
{
    const auto* value = field(key);
    if (!value)
        return std::nullopt;
    const bool whole = value->is_number_integer() &&
                       (value->is_number_unsigned() ? value->get<std::uint64_t>() <= std::uint64_t{INT64_MAX} : true);
    const auto number = whole ? value->get<std::int64_t>() : 0;
    if (!whole || number < lowest || number > highest) {
        refuse("\"" + std::string(key) + "\" is to be a whole number from " + std::to_string(lowest) + " to " +
               std::to_string(highest));
        return std::nullopt;
    }
    return number;
}

std::optional<bool> PayloadReader::flag(const char* key)
{
    const auto* value = field(key);
    if (!value)
        return std::nullopt;
    if (!value->is_boolean()) {
        refuse("\"" + std::string(key) + "\" is to be true or false");
        return std::nullopt;
    }
    return value->get<bool>();
}

std::optional<int> PayloadReader::word(const char* key, std::initializer_list<std::string_view> words)
{
    const auto* value = field(key);
    if (!value)
        return std::nullopt;
    if (value->is_string()) {
        const auto found = std::find(words.begin(), words.end(), value->get_ref<const std::string&>());
        if (found != words.end())
            return static_cast<int>(found - words.begin());
    }
    std::string list;
    for (const auto w : words)
        list += (list.empty() ? "\"" : ", \"") + std::string(w) + "\"";
    refuse("\"" + std::string(key) + "\" is to be one of " + list);
    return std::nullopt;
}

const nlohmann::ordered_json* PayloadReader::object(const char* key)
{
    const auto* value = field(key);
    if (value && !value->is_object()) {
        refuse("\"" + std::string(key) + "\" is to be a JSON object");
        return nullptr;
    }
    return value;
}

void PayloadReader::onlyFields(std::initializer_list<std::string_view> known)
{
    if (!ok())
        return;
    for (const auto& [key, value] : m_object.items()) {
        if (std::find(known.begin(), known.end(), key) == known.end()) {
            refuse("the " + m_what + " takes no field \"" + json::OneLine(key, 40) + "\"");
            return;
        }
    }
}

} // namespace quorix::venue
