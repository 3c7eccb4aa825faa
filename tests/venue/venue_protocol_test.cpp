#include "venue/base64.h"
#include "venue/broker_url.h"
#include "venue/command_reply.h"
#include "venue/gzip.h"
#include "venue/room_command.h"
#include "venue/room_state.h"
#include "venue/topics.h"

#include "core/address_map.h"
#include "core/config_file.h"

#include <gtest/gtest.h>

using namespace quorix::venue;

namespace {

std::vector<std::uint8_t> DefaultConfiguration()
{
    quorix::core::ParamStore store, image;
    quorix::core::InitParamStore(store, image);
    return quorix::core::EncodeConfiguration(store);
}

} // namespace

TEST(VenueTopics, NamesAreOneLevelAndTopicsReadBackOnlyWhenTheyAreARoomsOwn)
{
    const RoomAddress room{"hall-2", "V.I.P_08"};
    EXPECT_EQ(Topic(room, TopicKind::Command), "quorix/hall-2/V.I.P_08/command");
    EXPECT_EQ(VenueFilter("hall-2", TopicKind::State), "quorix/hall-2/+/state");
    EXPECT_EQ(RoomOfTopic(Topic(room, TopicKind::Reply), TopicKind::Reply), room);
    EXPECT_EQ(RoomOfTopic(Topic(room, TopicKind::HidIn), TopicKind::HidIn), room);
    EXPECT_EQ(TopicQos(Topic(room, TopicKind::HidOut)), 0);
    EXPECT_EQ(TopicQos(Topic(room, TopicKind::HidIn)), 0);
    EXPECT_EQ(TopicQos(Topic(room, TopicKind::Command)), 1);
    for (const char* topic : {"quorix/hall-2/V.I.P_08/state", "quorix/hall/r1/command/x", "quorix/hall/r1",
                              "other/hall/r1/command", "quorix/hall/+/command", "quorix//r1/command", ""})
        EXPECT_FALSE(RoomOfTopic(topic, TopicKind::Command)) << topic;
    for (const char* name : {"", "a/b", "+", "#", "a b", "\xe5\x8c\x85", std::string(65, 'a').c_str()})
        EXPECT_FALSE(ValidName(name)) << name;
}

TEST(VenueBase64, RoundTripsEveryLengthAndRefusesWhatIsNotCanonical)
{
    std::vector<std::uint8_t> bytes;
    for (int n = 0; n < 7; ++n) {
        EXPECT_EQ(DecodeBase64(EncodeBase64(bytes)), bytes);
        bytes.push_back(static_cast<std::uint8_t>(0xFB + n));
    }
    EXPECT_EQ(EncodeBase64({'M', 'a'}), "TWE=");
    for (const char* text : {"TWE", "TW==", "TWF=", "T===", "TW=E", "TWE=TWE=", "TW E", "TWE\n", "-_8="})
        EXPECT_FALSE(DecodeBase64(text)) << text;
}

TEST(VenueGzip, PacksAConfigurationSmallAndUnpacksOnlyOneWholeStreamWithinItsLimit)
{
    const auto configuration = DefaultConfiguration();
    const auto packed = Gzip(configuration);
    EXPECT_LT(packed.size(), configuration.size() / 20);
    const Unpacked whole = Gunzip(packed, configuration.size());
    EXPECT_EQ(whole.fault, GunzipFault::None);
    EXPECT_EQ(whole.bytes, configuration);
    EXPECT_EQ(Gunzip(Gzip({}), 0).fault, GunzipFault::None);

    auto twice = packed;
    twice.insert(twice.end(), packed.begin(), packed.end());
    auto corrupt = packed;
    corrupt[packed.size() / 2] ^= 0xFF;
    auto badChecksum = packed;
    badChecksum[packed.size() - 5] ^= 0xFF; // the CRC-32 in the trailer
    // Ten megabytes of zeros pack into ten kilobytes: unpacking stops at the limit.
    const auto bomb = Gzip(std::vector<std::uint8_t>(10'000'000, 0));
    EXPECT_LT(bomb.size(), 20'000u);
    const struct {
        std::vector<std::uint8_t> packed;
        GunzipFault fault;
    } cases[] = {
        {{packed.begin(), packed.end() - 1}, GunzipFault::CutShort},
        {{packed.begin(), packed.begin() + 10}, GunzipFault::CutShort},
        {{}, GunzipFault::CutShort},
        {twice, GunzipFault::DataAfterEnd},
        {corrupt, GunzipFault::NotGzip},
        {badChecksum, GunzipFault::NotGzip},
        {{configuration.begin(), configuration.begin() + 100}, GunzipFault::NotGzip},
        {bomb, GunzipFault::TooLong},
    };
    for (const auto& c : cases) {
        const Unpacked bad = Gunzip(c.packed, configuration.size());
        EXPECT_EQ(bad.fault, c.fault) << c.packed.size() << " bytes";
        EXPECT_TRUE(bad.bytes.empty());
    }
    EXPECT_EQ(Gunzip(packed, configuration.size() - 1).fault, GunzipFault::TooLong);
}

TEST(VenueBrokerUrl, TakesHostAndPortWithTheSchemesTlsAndNothingElse)
{
    const auto plain = ParseBrokerUrl("mqtt://127.0.0.1:18830");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->host, "127.0.0.1");
    EXPECT_EQ(plain->port, 18830);
    EXPECT_FALSE(plain->tls);
    const auto secure = ParseBrokerUrl("mqtts://broker.local");
    ASSERT_TRUE(secure);
    EXPECT_EQ(secure->port, 8883);
    EXPECT_TRUE(secure->tls);
    for (const char* url : {"tcp://h", "mqtt://", "mqtt://h:0", "mqtt://h:65536", "mqtt://h:", "mqtt://h:1x",
                            "mqtt://user:pw@h", "mqtt://h/path", "h:1883"})
        EXPECT_FALSE(ParseBrokerUrl(url)) << url;
}

TEST(VenueState, RoundTripsOnlineOfflineAndWithoutProcessor)
{
    const auto make = [](const char* room, bool online, std::int64_t lastSeen) {
        RoomState state;
        state.address = {"hall", room};
        state.online = online;
        state.lastSeen = lastSeen;
        return state;
    };
    RoomState full = make("101", true, 4102444800);
    full.processor = ProcessorState{};
    full.processor->variant = '3';
    full.processor->preset = 7;
    full.processor->mode = 1;
    full.processor->levels = {80, 0, 33};
    full.processor->muted = {true, false, true};
    full.processor->workingSetHash = "0123456789abcdef";
    RoomState absent = make("102", true, 1);
    absent.tunedBy = "laptop.4711";
    const RoomState gone = make("103", false, 0);
    for (const RoomState& state : {full, absent, gone}) {
        const auto parsed = ParseRoomState(StateJson(state));
        ASSERT_TRUE(parsed.state) << parsed.refusal;
        EXPECT_EQ(*parsed.state, state);
    }
}

TEST(VenueState, RefusesWhatIsNotAWholeStateAndSaysWhy)
{
    const std::string processor =
        R"({"variant":"1","preset":0,"mode":"singing","levels":{"music":1,"microphone":2,"effect":3},)"
        R"("muted":{"music":false,"microphone":false,"effect":false},"tone":5,"workingSetHash":"0123456789abcdef"})";
    const std::string head = R"({"venue":"hall","room":"101","online":true,"processor":)";
    ASSERT_TRUE(ParseRoomState(head + processor + "}").state);
    const std::pair<std::string, std::string> cases[] = {
        {"not json", "not JSON"},
        {"[]", "not a JSON object"},
        {R"({"venue":"hall","room":"101"})", "\"online\" is missing"},
        {R"({"venue":"hall","room":"101","online":true})", "\"processor\" is missing"},
        {R"({"venue":"hall","room":"101","online":false,"processor":null})", "offline has no"},
        {R"({"venue":"hall","room":"a/b","online":false})", "names of letters"},
        {R"({"venue":"hall","room":"101","online":false,"online":false})", "twice"},
        {R"({"venue":"hall","room":"101","online":false,"extra":1})", "takes no field \"extra\""},
        {R"({"venue":"hall","room":"101","online":false,"lastSeen":1.5})", "\"lastSeen\""},
        {R"({"venue":"hall","room":"101","online":false,"tunedBy":"x"})", "tuned by no one"},
        {R"({"venue":"hall","room":"101","online":true,"tunedBy":"a b","processor":null})", "\"tunedBy\""},
        {head + R"({"variant":"1"})" + "}", "\"preset\" is missing"},
        {head + std::string(processor).replace(processor.find("\"music\":1"), 9, "\"music\":81") + "}", "\"music\""},
        {head + std::string(processor).replace(processor.find("0123"), 4, "XY23") + "}", "hexadecimal"},
        {head + std::string(processor).replace(processor.find("\"tone\":5"), 8, "\"tone\":\"5\"") + "}", "\"tone\""},
    };
    for (const auto& [payload, reason] : cases) {
        const auto parsed = ParseRoomState(payload);
        EXPECT_FALSE(parsed.state) << payload;
        EXPECT_NE(parsed.refusal.find(reason), std::string::npos) << payload << " -> " << parsed.refusal;
    }
}

TEST(VenueCommand, EveryKindRoundTrips)
{
    const auto make = [](std::string id, CommandKind kind, auto&& set) {
        RoomCommand command;
        command.id = std::move(id);
        command.kind = kind;
        set(command);
        return command;
    };
    const std::vector<RoomCommand> commands = {
        make("1", CommandKind::Recall, [](RoomCommand& c) { c.preset = 2; }),
        make("2", CommandKind::Store, [](RoomCommand& c) { c.preset = 7; }),
        make("3", CommandKind::Level, [](RoomCommand& c) { c.channel = 2, c.value = 80; }),
        make("4", CommandKind::Mute, [](RoomCommand& c) { c.channel = 1, c.on = true; }),
        make("5", CommandKind::Tone, [](RoomCommand& c) { c.value = 0; }),
        make("6", CommandKind::Mode, [](RoomCommand& c) { c.value = 1; }),
        make("7", CommandKind::Push, [](RoomCommand& c) { c.configuration = DefaultConfiguration(); }),
        make("8", CommandKind::Push, [](RoomCommand& c) { c.preset = 4, c.configuration = DefaultConfiguration(); }),
        make(std::string(kLongestId, 'x'), CommandKind::Pull, [](RoomCommand&) {}),
        make("9", CommandKind::Tune, [](RoomCommand& c) { c.console = "laptop.4711", c.on = true; }),
    };
    for (const RoomCommand& command : commands) {
        const auto parsed = ParseRoomCommand(CommandJson(command));
        ASSERT_TRUE(parsed.command) << parsed.refusal;
        EXPECT_EQ(*parsed.command, command) << command.id;
    }
}

TEST(VenueCommand, APushCarriesItsConfigurationGzippedAndTakesItPlainFromAScript)
{
    RoomCommand push;
    push.id = "p";
    push.kind = CommandKind::Push;
    push.configuration = DefaultConfiguration();
    const std::string json = CommandJson(push);
    EXPECT_NE(json.find(R"("encoding":"gzip")"), std::string::npos);
    EXPECT_LT(json.size(), 20'000u);

    const std::string plain =
        R"({"id":"p","command":"push","configuration":")" + EncodeBase64(push.configuration) + R"("})";
    const auto parsed = ParseRoomCommand(plain);
    ASSERT_TRUE(parsed.command) << parsed.refusal;
    EXPECT_EQ(*parsed.command, push);
}

TEST(VenueCommand, OnePayloadForManyRoomsCarriesEachRoomsIdWhateverItHolds)
{
    RoomCommand push;
    push.kind = CommandKind::Push;
    push.preset = 5;
    push.configuration = DefaultConfiguration();
    const CommandPayload payload(push);
    for (const std::string id : {"venue-1", "a\"b\\c", "line\nbreak", "\xe6\x88\xbf\xe9\x97\xb4", "{\"id\":\"x\"}"}) {
        push.id = id;
        const auto parsed = ParseRoomCommand(payload.withId(id));
        ASSERT_TRUE(parsed.command) << parsed.refusal;
        EXPECT_EQ(*parsed.command, push) << id;
    }
}

TEST(VenueCommand, MalformedCommandsAreRefusedWithTheirIdWhenItCanBeRead)
{
    const std::string shortFile = EncodeBase64(std::vector<std::uint8_t>(300, 0));
    const std::string gzippedShort = EncodeBase64(Gzip(std::vector<std::uint8_t>(300, 0)));
    const std::string gzippedLong = EncodeBase64(Gzip(std::vector<std::uint8_t>(quorix::core::kConfigFileSize + 1, 0)));
    const struct {
        std::string payload;
        std::string reason;
        std::string id;
    } cases[] = {
        {"{", "not JSON", ""},
        {R"({"command":"pull"})", "\"id\" is missing", ""},
        {R"({"id":"","command":"pull"})", "\"id\" is empty", ""},
        {R"({"id":7,"command":"pull"})", "\"id\" is to be a text", ""},
        {R"({"id":")" + std::string(kLongestId + 1, 'x') + R"(","command":"pull"})", "at most 64", ""},
        {R"({"id":"a","command":"reboot"})", "\"command\" is to be one of", "a"},
        {R"({"id":"a","command":"recall","preset":8})", "from 0 to 7", "a"},
        {R"({"id":"a","command":"recall","preset":"2"})", "\"preset\"", "a"},
        {R"({"id":"a","command":"store","preset":2})", "from 3 to 7", "a"},
        {R"({"id":"a","command":"level","channel":"music","value":-1})", "from 0 to 80", "a"},
        {R"({"id":"a","command":"level","channel":"bass","value":1})", "\"channel\"", "a"},
        {R"({"id":"a","command":"mute","channel":"music","on":1})", "true or false", "a"},
        {R"({"id":"a","command":"mode","value":"party"})", "\"value\"", "a"},
        {R"({"id":"a","command":"tone","value":11})", "from 0 to 10", "a"},
        {R"({"id":"a","command":"pull","preset":1})", "takes no field \"preset\"", "a"},
        {R"({"id":"a","command":"push","configuration":"!!!!"})", "not base64", "a"},
        {R"({"id":"a","command":"push","configuration":")" + shortFile + R"("})", "300 bytes", "a"},
        {R"({"id":"a","command":"push"})", "\"configuration\" is missing", "a"},
        {R"({"id":"a","command":"push","encoding":"zip","configuration":")" + gzippedShort + R"("})", "\"encoding\"",
         "a"},
        {R"({"id":"a","command":"push","encoding":"gzip","configuration":")" + gzippedShort + R"("})", "300 bytes",
         "a"},
        {R"({"id":"a","command":"push","encoding":"gzip","configuration":")" + shortFile + R"("})",
         "is not a gzip stream", "a"},
        {R"({"id":"a","command":"push","encoding":"gzip","configuration":")" + gzippedLong + R"("})",
         "unpacks to more than a .quorix file's 252000 bytes", "a"},
        {R"({"id":"a","command":"push","configuration":")" + gzippedShort + R"("})",
         "(it is gzipped: say \"encoding\":\"gzip\")", "a"},
        {R"({"id":"a","command":"tune","on":true})", "\"console\" is missing", "a"},
        {R"({"id":"a","command":"tune","console":"quorix/#","on":true})", "\"console\" is to be a name", "a"},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseRoomCommand(c.payload);
        EXPECT_FALSE(parsed.command) << c.payload.substr(0, 80);
        EXPECT_NE(parsed.refusal.find(c.reason), std::string::npos)
            << c.payload.substr(0, 80) << " -> " << parsed.refusal;
        EXPECT_EQ(parsed.id, c.id) << c.payload.substr(0, 80);
    }
}

TEST(VenueReply, RoundTripsAndARefusalWithoutIdSaysSo)
{
    CommandReply pushed;
    pushed.id = "p";
    pushed.reason = "differs";
    pushed.differences = {"MusicInput", "  0x02 EQ3 gain: 1.0dB -> 0.0dB"};
    pushed.preset = 3;
    CommandReply pulled;
    pulled.id = "q";
    pulled.outcome = Outcome::Done;
    pulled.configuration = DefaultConfiguration();
    CommandReply anonymous;
    anonymous.outcome = Outcome::Refused;
    anonymous.reason = "the command is not JSON";
    for (const CommandReply& reply : {pushed, pulled, anonymous}) {
        const auto parsed = ParseCommandReply(ReplyJson(reply));
        ASSERT_TRUE(parsed.reply) << parsed.refusal;
        EXPECT_EQ(*parsed.reply, reply);
    }
    EXPECT_NE(ReplyJson(anonymous).find(R"("id":null)"), std::string::npos);
    for (const char* payload : {R"({"outcome":"done"})", R"({"id":"a","outcome":"maybe"})",
                                R"({"id":"a","outcome":"done","differences":[1]})"})
        EXPECT_FALSE(ParseCommandReply(payload).reply) << payload;
}
