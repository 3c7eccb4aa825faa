#include "room_state.h"

#include "payload_reader.h"

#include "json/strict_json.h"

namespace quorix::venue {

namespace {

using nlohmann::ordered_json;

constexpr std::size_t kHashDigits = 16;
constexpr std::int64_t kLatestTime = 253402300799; // 9999-12-31 23:59:59 UTC
constexpr std::string_view kModes[] = {"singing", "dance"};

bool IsHash(const std::string& text)
{
    return text.size() == kHashDigits && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

std::optional<ProcessorState> ReadProcessor(const ordered_json& object, PayloadReader& outer)
{
    PayloadReader in(object, "processor");
    in.onlyFields({"variant", "preset", "mode", "levels", "muted", "tone", "workingSetHash"});
    ProcessorState state;
    const auto variant = in.word("variant", {"1", "3"});
    state.variant = variant == 1 ? '3' : '1';
    state.preset = in.integer("preset", 0, 7).value_or(0);
    state.mode = in.word("mode", {kModes[0], kModes[1]}).value_or(0);
    state.tone = in.integer("tone", 0, kHighestTone).value_or(0);
    state.workingSetHash = in.text("workingSetHash", kHashDigits).value_or("");
    if (in.ok() && !IsHash(state.workingSetHash))
        in.refuse("\"workingSetHash\" is to be 16 hexadecimal digits");
    for (const auto* group : {"levels", "muted"}) {
        const auto* values = in.object(group);
        if (!values)
            break;
        PayloadReader channels(*values, group);
        channels.onlyFields({kLevelNames[0], kLevelNames[1], kLevelNames[2]});
        for (std::size_t i = 0; i < kLevelNames.size(); ++i) {
            const std::string name(kLevelNames[i]);
            if (group == std::string_view("levels"))
                state.levels[i] = channels.integer(name.c_str(), 0, kHighestLevel).value_or(0);
            else
                state.muted[i] = channels.flag(name.c_str()).value_or(false);
        }
        in.refuse(channels.refusal());
    }
    outer.refuse(in.refusal());
    return in.ok() ? std::optional(state) : std::nullopt;
}

} // namespace

std::string StateJson(const RoomState& state)
{
    ordered_json json = {{"venue", state.address.venue}, {"room", state.address.room}, {"online", state.online}};
    if (state.lastSeen != 0)
        json["lastSeen"] = state.lastSeen;
    if (state.online) {
        if (!state.tunedBy.empty())
            json["tunedBy"] = state.tunedBy;
        json["processor"] = nullptr;
        if (const auto& p = state.processor) {
            ordered_json levels = ordered_json::object();
            ordered_json muted = ordered_json::object();
            for (std::size_t i = 0; i < kLevelNames.size(); ++i) {
                levels[std::string(kLevelNames[i])] = p->levels[i];
                muted[std::string(kLevelNames[i])] = p->muted[i];
            }
            json["processor"] = {{"variant", std::string(1, p->variant)},
                                 {"preset", p->preset},
                                 {"mode", kModes[p->mode == 1 ? 1 : 0]},
                                 {"levels", levels},
                                 {"muted", muted},
                                 {"tone", p->tone},
                                 {"workingSetHash", p->workingSetHash}};
        }
    }
    return json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

ParsedState ParseRoomState(std::string_view payload)
{
    const auto parsed = json::ParseStrictJson(payload);
    if (!parsed.document)
        return {std::nullopt, "the state is not JSON: " + parsed.refusal};
    PayloadReader in(*parsed.document, "state");
    in.onlyFields({"venue", "room", "online", "lastSeen", "tunedBy", "processor"});
    RoomState state;
    state.address.venue = in.text("venue", 64).value_or("");
    state.address.room = in.text("room", 64).value_or("");
    if (in.ok() && (!ValidName(state.address.venue) || !ValidName(state.address.room)))
        in.refuse("the venue and room are to be names of letters, digits, '-', '_' and '.'");
    state.online = in.flag("online").value_or(false);
    if (in.has("lastSeen"))
        state.lastSeen = in.wholeNumber("lastSeen", 1, kLatestTime).value_or(0);
    if (in.has("tunedBy")) {
        state.tunedBy = in.text("tunedBy", 64).value_or("");
        if (in.ok() && !ValidName(state.tunedBy))
            in.refuse("\"tunedBy\" is to be a name of letters, digits, '-', '_' and '.'");
        else if (in.ok() && !state.online)
            in.refuse("a room offline is tuned by no one");
    }
    if (in.ok() && state.online) {
        if (!in.has("processor"))
            in.refuse("\"processor\" is missing from the state of a room online");
        else if (const auto& processor = parsed.document->at("processor"); !processor.is_null())
            state.processor = ReadProcessor(processor, in);
    } else if (in.ok() && in.has("processor")) {
        in.refuse("a room offline has no \"processor\"");
    }
    if (!in.ok())
        return {std::nullopt, in.refusal()};
    return {state, {}};
}

} // namespace quorix::venue
