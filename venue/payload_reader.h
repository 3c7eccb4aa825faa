#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace quorix::venue {

// Reads the fields of one JSON object strictly: a field of the wrong type or
// out of range, a missing field and a field the object does not have are each
// refused with the field's name. The first refusal is kept; after it every
// read returns nothing, so a parser reads on and checks refusal() once.
class PayloadReader {
public:
    // `what` names the object in refusals ("command", "state").
    PayloadReader(const nlohmann::ordered_json& object, std::string_view what);

    // A view into the object: a push's configuration is not copied to be read.
    std::optional<std::string_view> text(const char* key, std::size_t longest);
    std::optional<int> integer(const char* key, int lowest, int highest);
    std::optional<std::int64_t> wholeNumber(const char* key, std::int64_t lowest, std::int64_t highest);
    std::optional<bool> flag(const char* key);
    // One of the words, by its index.
    std::optional<int> word(const char* key, std::initializer_list<std::string_view> words);
    const nlohmann::ordered_json* object(const char* key);
    bool has(const char* key) const { return m_object.is_object() && m_object.contains(key); }
    // Refuses any field not in `known`.
    void onlyFields(std::initializer_list<std::string_view> known);
    void refuse(std::string reason);

    bool ok() const { return m_refusal.empty(); }
    const std::string& refusal() const { return m_refusal; }

private:
    const nlohmann::ordered_json* field(const char* key);

    const nlohmann::ordered_json& m_object;
    std::string m_what;
    std::string m_refusal;
};

} // namespace quorix::venue
