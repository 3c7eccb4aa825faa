#include "command_reply.h"

#include "base64.h"
#include "payload_reader.h"
#include "room_command.h"

#include "json/long_value_parse.h"
#include "json/strict_json.h"

#include "core/config_file.h"

namespace quorix::venue {

namespace {

using nlohmann::ordered_json;

constexpr std::string_view kOutcomes[] = {"done", "refused", "failed"};
constexpr std::size_t kLongestReason = 400;
constexpr std::size_t kMostDifferences = 10000;

} // namespace

std::string_view OutcomeName(Outcome outcome)
{
    return kOutcomes[static_cast<std::size_t>(outcome)];
}

std::string ReplyJson(const CommandReply& reply)
{
    ordered_json json = {{"id", reply.id.empty() ? ordered_json(nullptr) : ordered_json(reply.id)},
                         {"outcome", OutcomeName(reply.outcome)}};
    if (!reply.reason.empty())
        json["reason"] = json::OneLine(reply.reason, kLongestReason);
    if (!reply.differences.empty())
        json["differences"] = reply.differences;
    if (!reply.configuration.empty())
        json["configuration"] = EncodeBase64(reply.configuration);
    if (reply.preset)
        json["preset"] = *reply.preset;
    return json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

ParsedReply ParseCommandReply(std::string_view payload)
{
    const auto parsed = json::ParseStrictJsonWithLongValue(payload, "configuration");
    if (!parsed.document)
        return {std::nullopt, "the reply is not JSON: " + parsed.refusal};
    const ordered_json& json = *parsed.document;
    PayloadReader in(json, "reply");
    in.onlyFields({"id", "outcome", "reason", "differences", "configuration", "preset"});
    CommandReply reply;
    if (in.ok() && !json.contains("id"))
        in.refuse("\"id\" is missing from the reply");
    else if (in.ok() && !json["id"].is_null())
        reply.id = in.text("id", kLongestId).value_or("");
    reply.outcome = static_cast<Outcome>(in.word("outcome", {kOutcomes[0], kOutcomes[1], kOutcomes[2]}).value_or(0));
    if (in.has("reason"))
        reply.reason = in.text("reason", kLongestReason * 4).value_or("");
    if (in.has("preset"))
        reply.preset = in.integer("preset", 0, 7);
    if (in.ok() && in.has("differences")) {
        const auto& lines = json["differences"];
        if (!lines.is_array() || lines.size() > kMostDifferences)
            in.refuse("\"differences\" is to be a list of texts");
        for (std::size_t i = 0; in.ok() && i < lines.size(); ++i) {
            if (!lines[i].is_string())
                in.refuse("\"differences\" is to be a list of texts");
            else
                reply.differences.push_back(lines[i].get<std::string>());
        }
    }
    if (in.has("configuration")) {
        const auto text = in.text("configuration", (core::kConfigFileSize + 2) / 3 * 4);
        auto bytes = text ? DecodeBase64(*text) : std::nullopt;
        if (text && (!bytes || bytes->size() != core::kConfigFileSize))
            in.refuse("\"configuration\" is not a .quorix file in base64");
        else if (bytes)
            reply.configuration = std::move(*bytes);
    }
    if (!in.ok())
        return {std::nullopt, in.refusal()};
    return {std::move(reply), {}};
}

} // namespace quorix::venue
