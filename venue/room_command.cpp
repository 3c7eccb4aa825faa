#include "room_command.h"

#include "base64.h"
#include "gzip.h"
#include "payload_reader.h"
#include "room_state.h"

#include "json/long_value_parse.h"

#include "core/config_file.h"

namespace quorix::venue {

namespace {

using nlohmann::ordered_json;

constexpr std::string_view kKinds[] = {"recall", "store", "level", "mute", "tone", "mode", "push", "pull", "tune"};
constexpr int kFirstUserPreset = 3;
constexpr int kLastPreset = 7;
// A configuration's bytes, or their gzip stream, which on bytes that do not
// pack grows by a few bytes in a thousand.
constexpr std::size_t kLongestPackedConfiguration = core::kConfigFileSize + core::kConfigFileSize / 1000 + 64;

std::string_view KindName(CommandKind kind)
{
    return kKinds[static_cast<std::size_t>(kind)];
}

constexpr std::string_view kIdOpening = R"({"id":)";

std::string GunzipRefusal(GunzipFault fault)
{
    switch (fault) {
    case GunzipFault::CutShort:
        return "is a gzip stream cut short";
    case GunzipFault::TooLong:
        return "unpacks to more than a .quorix file's " + std::to_string(core::kConfigFileSize) + " bytes";
    case GunzipFault::DataAfterEnd:
        return "has data after its gzip stream";
    case GunzipFault::NotGzip:
    case GunzipFault::None:
        break;
    }
    return "is not a gzip stream (or a corrupt one)";
}

// gzip's magic bytes: a script that packed the file but left out "encoding".
bool LooksGzipped(const std::vector<std::uint8_t>& bytes)
{
    return bytes.size() >= 2 && bytes[0] == 0x1F && bytes[1] == 0x8B;
}
constexpr const char* kGzipHint = " (it is gzipped: say \"encoding\":\"gzip\")";

std::string Dump(const ordered_json& json)
{
    return json.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

} // namespace

std::string CommandJson(const RoomCommand& command)
{
    return CommandPayload(command).withId(command.id);
}

CommandPayload::CommandPayload(const RoomCommand& command)
{
    ordered_json json = {{"id", ""}, {"command", KindName(command.kind)}};
    switch (command.kind) {
    case CommandKind::Recall:
    case CommandKind::Store:
        json["preset"] = command.preset.value_or(0);
        break;
    case CommandKind::Level:
        json["channel"] = kLevelNames[static_cast<std::size_t>(command.channel)];
        json["value"] = command.value;
        break;
    case CommandKind::Mute:
        json["channel"] = kLevelNames[static_cast<std::size_t>(command.channel)];
        json["on"] = command.on;
        break;
    case CommandKind::Tone:
        json["value"] = command.value;
        break;
    case CommandKind::Mode:
        json["value"] = command.value == 1 ? "dance" : "singing";
        break;
    case CommandKind::Push:
        json["encoding"] = "gzip";
        json["configuration"] = EncodeBase64(Gzip(command.configuration));
        if (command.preset)
            json["preset"] = *command.preset;
        break;
    case CommandKind::Pull:
        break;
    case CommandKind::Tune:
        json["console"] = command.console;
        json["on"] = command.on;
        break;
    }
    m_afterId = Dump(json).substr(kIdOpening.size() + 2); // past the empty id's quotes
}

std::string CommandPayload::withId(const std::string& id) const
{
    const std::string quoted = Dump(id);
    std::string text;
    text.reserve(kIdOpening.size() + quoted.size() + m_afterId.size());
    text.append(kIdOpening).append(quoted).append(m_afterId);
    return text;
}

ParsedCommand ParseRoomCommand(std::string_view payload)
{
    const auto parsed = json::ParseStrictJsonWithLongValue(payload, "configuration");
    if (!parsed.document)
        return {std::nullopt, "the command is not JSON: " + parsed.refusal, {}};
    const ordered_json& json = *parsed.document;
    PayloadReader in(json, "command");
    RoomCommand command;
    command.id = in.text("id", kLongestId).value_or("");
    if (in.ok() && command.id.empty())
        in.refuse("\"id\" is empty");
    const std::string id = in.ok() ? command.id : std::string{};
    command.kind = static_cast<CommandKind>(in.word("command", {kKinds[0], kKinds[1], kKinds[2], kKinds[3], kKinds[4],
                                                                kKinds[5], kKinds[6], kKinds[7], kKinds[8]})
                                                .value_or(0));
    if (!in.ok())
        return {std::nullopt, in.refusal(), id};
    const auto channel = [&] {
        return in.word("channel", {kLevelNames[0], kLevelNames[1], kLevelNames[2]}).value_or(0);
    };
    switch (command.kind) {
    case CommandKind::Recall:
        in.onlyFields({"id", "command", "preset"});
        command.preset = in.integer("preset", 0, kLastPreset);
        break;
    case CommandKind::Store:
        in.onlyFields({"id", "command", "preset"});
        command.preset = in.integer("preset", kFirstUserPreset, kLastPreset);
        break;
    case CommandKind::Level:
        in.onlyFields({"id", "command", "channel", "value"});
        command.channel = channel();
        command.value = in.integer("value", 0, kHighestLevel).value_or(0);
        break;
    case CommandKind::Mute:
        in.onlyFields({"id", "command", "channel", "on"});
        command.channel = channel();
        command.on = in.flag("on").value_or(false);
        break;
    case CommandKind::Tone:
        in.onlyFields({"id", "command", "value"});
        command.value = in.integer("value", 0, kHighestTone).value_or(0);
        break;
    case CommandKind::Mode:
        in.onlyFields({"id", "command", "value"});
        command.value = in.word("value", {"singing", "dance"}).value_or(0);
        break;
    case CommandKind::Push: {
        in.onlyFields({"id", "command", "encoding", "configuration", "preset"});
        if (in.has("preset"))
            command.preset = in.integer("preset", 0, kLastPreset);
        const bool gzipped = in.has("encoding") && in.word("encoding", {"gzip"});
        const auto text = in.text("configuration", (kLongestPackedConfiguration + 2) / 3 * 4);
        auto bytes = text ? DecodeBase64(*text) : std::nullopt;
        if (text && !bytes) {
            in.refuse("\"configuration\" is not base64");
            break;
        }
        if (bytes && gzipped) {
            Unpacked unpacked = Gunzip(*bytes, core::kConfigFileSize);
            if (unpacked.fault != GunzipFault::None) {
                in.refuse("\"configuration\" " + GunzipRefusal(unpacked.fault));
                break;
            }
            bytes = std::move(unpacked.bytes);
        }
        if (bytes && bytes->size() != core::kConfigFileSize)
            in.refuse("\"configuration\" holds " + std::to_string(bytes->size()) + " bytes, not a .quorix file's " +
                      std::to_string(core::kConfigFileSize) + (!gzipped && LooksGzipped(*bytes) ? kGzipHint : ""));
        else if (bytes)
            command.configuration = std::move(*bytes);
        break;
    }
    case CommandKind::Pull:
        in.onlyFields({"id", "command"});
        break;
    case CommandKind::Tune:
        in.onlyFields({"id", "command", "console", "on"});
        command.console = in.text("console", 64).value_or("");
        command.on = in.flag("on").value_or(false);
        if (in.ok() && !ValidName(command.console))
            in.refuse("\"console\" is to be a name of letters, digits, '-', '_' and '.'");
        break;
    }
    if (!in.ok())
        return {std::nullopt, in.refusal(), id};
    return {std::move(command), {}, id};
}

} // namespace quorix::venue
