#include "agent/room_agent.h"

#include "venue/command_reply.h"
#include "venue/room_command.h"
#include "venue/room_state.h"

#include "presets/preset_texts.h"

#include "sim/kind_layout.h"
#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "core/address_map.h"
#include "core/common_addresses.h"
#include "core/config_file.h"
#include "core/manual_scheduler.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

using namespace quorix;
using venue::Outcome;

namespace {

// One room in virtual time: the agent, the virtual processor, and what the
// agent published, topic by topic.
struct RoomAgentTest : ::testing::Test {
    struct Message {
        std::string topic;
        std::string payload;
        bool retain;
    };
    const venue::RoomAddress address{"hall", "101"};
    core::ManualScheduler clock;
    sim::VirtualProcessor processor;
    sim::SimUsbPort port{processor, clock};
    std::vector<Message> published;
    std::ostringstream log;
    agent::RoomAgent room{address,
                          port,
                          clock,
                          [this](const std::string& t, const std::string& p, bool r) {
                              published.push_back({t, p, r});
                          },
                          [] { return std::int64_t{1800000000}; },
                          log};

    static constexpr int kMusicMaximum = 40;

    void SetUp() override
    {
        processor.setValue(0, core::kMaximumLevels, kMusicMaximum);
        room.start();
        clock.runUntil([&] { return lastState() && lastState()->processor; }, 20000);
    }

    std::optional<venue::RoomState> lastState() const
    {
        for (auto m = published.rbegin(); m != published.rend(); ++m)
            if (m->topic == venue::Topic(address, venue::TopicKind::State))
                return venue::ParseRoomState(m->payload).state;
        return std::nullopt;
    }

    std::vector<venue::CommandReply> replies() const
    {
        std::vector<venue::CommandReply> found;
        for (const auto& m : published)
            if (m.topic == venue::Topic(address, venue::TopicKind::Reply))
                found.push_back(*venue::ParseCommandReply(m.payload).reply);
        return found;
    }

    void send(const std::string& payload) { room.receive(venue::Topic(address, venue::TopicKind::Command), payload); }

    // Sends a command and runs the clock until its reply went out.
    venue::CommandReply run(const venue::RoomCommand& command)
    {
        const auto before = replies().size();
        send(venue::CommandJson(command));
        clock.runUntil([&] { return replies().size() > before; }, 60000);
        return replies().back();
    }

    static venue::RoomCommand command(venue::CommandKind kind, std::string id = "c1")
    {
        venue::RoomCommand command;
        command.id = std::move(id);
        command.kind = kind;
        return command;
    }

    static std::vector<std::uint8_t> configuration(int musicLevel, bool pageChanged = true)
    {
        core::ParamStore store, image;
        core::InitParamStore(store, image);
        store.at(0, core::kMasterLevels).value = musicLevel;
        if (pageChanged)
            store.at(0, pageParameter()).value ^= 1;
        return core::EncodeConfiguration(store);
    }

    // A plain parameter of the music page, which travels with the preset.
    static int pageParameter()
    {
        core::ParamStore store, image;
        core::InitParamStore(store, image);
        for (int address = 0; address < 256; ++address)
            if (store.at(0, address).defined && sim::layout::IsRecord(0, address) && !sim::layout::IsBand(0, address))
                return address;
        throw std::logic_error("no plain parameter on the music page");
    }
};

} // namespace

TEST_F(RoomAgentTest, TellsTheRoomRetainedAndItsWillSaysOffline)
{
    ASSERT_FALSE(published.empty());
    EXPECT_TRUE(published.back().retain);
    const auto state = *lastState();
    EXPECT_TRUE(state.online);
    EXPECT_EQ(state.lastSeen, 1800000000);
    EXPECT_EQ(state.processor->levels[0], processor.value(0, core::kMasterLevels));
    EXPECT_EQ(state.processor->tone, core::kNeutralTone);
    const auto will = venue::ParseRoomState(agent::RoomAgent::willPayload(address)).state;
    ASSERT_TRUE(will);
    EXPECT_FALSE(will->online);
    EXPECT_EQ(will->address, address);
}

TEST_F(RoomAgentTest, SettingsLandOnTheProcessorAndTheStateFollows)
{
    auto level = command(venue::CommandKind::Level);
    level.channel = 1;
    level.value = 12;
    auto mute = command(venue::CommandKind::Mute);
    mute.channel = 2;
    mute.on = true;
    auto tone = command(venue::CommandKind::Tone);
    tone.value = 8;
    auto mode = command(venue::CommandKind::Mode);
    mode.value = 1;
    for (const auto& command : {level, mute, tone, mode})
        EXPECT_EQ(run(command).outcome, Outcome::Done);
    EXPECT_EQ(processor.value(0, core::kMasterLevels + 1), 12);
    EXPECT_NE(processor.value(0, core::kMasterMutes + 2), 0);
    EXPECT_EQ(processor.value(0, core::kToneAddress), 8);
    EXPECT_EQ(processor.value(0, core::kModeAddress), 1);
    const auto state = *lastState()->processor;
    EXPECT_EQ(state.levels[1], 12);
    EXPECT_TRUE(state.muted[2]);
    EXPECT_EQ(state.tone, 8);
    EXPECT_EQ(state.mode, 1);
}

TEST_F(RoomAgentTest, RefusalsChangeNothing)
{
    const int music = processor.value(0, core::kMasterLevels);
    const auto before = lastState();
    // Above the room's own maximum, a malformed command, a foreign room's topic.
    auto level = command(venue::CommandKind::Level, "too-loud");
    level.value = kMusicMaximum + 1;
    const auto tooLoud = run(level);
    EXPECT_EQ(tooLoud.outcome, Outcome::Refused);
    EXPECT_NE(tooLoud.reason.find("goes up to"), std::string::npos);
    send(R"({"id":"bad","command":"level","channel":"music","value":"loud"})");
    send("\xff\xfe not json");
    room.receive(venue::Topic({"hall", "102"}, venue::TopicKind::Command), venue::CommandJson(level));
    room.receive(venue::Topic(address, venue::TopicKind::State), venue::CommandJson(level));
    level.value = 5;
    room.receive(venue::Topic(address, venue::TopicKind::Command), venue::CommandJson(level), true);
    clock.advance(1000);
    const auto answers = replies();
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(answers[1].id, "bad");
    EXPECT_EQ(answers[1].outcome, Outcome::Refused);
    EXPECT_TRUE(answers[2].id.empty());
    EXPECT_NE(answers[2].reason.find("not JSON"), std::string::npos);
    EXPECT_EQ(processor.value(0, core::kMasterLevels), music);
    EXPECT_EQ(lastState(), before);
    EXPECT_EQ(processor.refusals().count(), 0);
}

TEST_F(RoomAgentTest, PushReadsBackAndTellsADifferenceAsAFailure)
{
    auto push = command(venue::CommandKind::Push, "p1");
    push.configuration = configuration(33);
    push.preset = 4;
    const auto done = run(push);
    EXPECT_EQ(done.outcome, Outcome::Done) << done.reason;
    EXPECT_EQ(done.preset, 4);
    EXPECT_EQ(processor.currentPreset(), 4);
    core::ParamStore file;
    ASSERT_TRUE(core::DecodeConfiguration(push.configuration, file).ok);
    EXPECT_EQ(processor.value(0, pageParameter()), file.at(0, pageParameter()).value);
    EXPECT_EQ(processor.value(0, core::kMasterLevels), 33);

    // The music page's block is answered but lost.
    processor.loseNextBlockWrite();
    push.id = "p2";
    push.configuration = configuration(33, false);
    const auto lost = run(push);
    EXPECT_EQ(lost.outcome, Outcome::Failed);
    EXPECT_NE(lost.reason.find("other than the file's"), std::string::npos);
    EXPECT_FALSE(lost.differences.empty());
}

TEST_F(RoomAgentTest, CommandsArrivingDuringAPushRunAfterItInTurn)
{
    auto push = command(venue::CommandKind::Push, "push");
    push.configuration = configuration(33);
    auto recall = command(venue::CommandKind::Recall, "recall");
    recall.preset = 1;
    send(venue::CommandJson(push));
    clock.advance(200); // the push is on the wire now
    send(venue::CommandJson(recall));
    send(venue::CommandJson(command(venue::CommandKind::Pull, "pull")));
    clock.runUntil([&] { return replies().size() == 3; }, 60000);
    const auto answers = replies();
    EXPECT_EQ(answers[0].id, "push");
    EXPECT_EQ(answers[1].id, "recall");
    EXPECT_EQ(answers[2].id, "pull");
    for (const auto& answer : answers)
        EXPECT_EQ(answer.outcome, Outcome::Done) << answer.id << ": " << answer.reason;
    EXPECT_EQ(processor.currentPreset(), 1);
    core::ParamStore pulled;
    ASSERT_TRUE(core::DecodeConfiguration(answers[2].configuration, pulled).ok);
    EXPECT_EQ(pulled.at(0, core::kMasterLevels).value, 33); // a global kind stays across the recall
}

// systemd's stop during a venue's push: the push ends whole before the agent goes.
TEST_F(RoomAgentTest, AStopLetsTheRunningPushEndAndRefusesTheOtherCommands)
{
    auto push = command(venue::CommandKind::Push, "push");
    push.configuration = configuration(33);
    port.setReplyDelay(5); // the push takes a while
    send(venue::CommandJson(push));
    send(venue::CommandJson(command(venue::CommandKind::Pull, "waiting")));
    clock.runUntil([&] { return room.waitingCommands() == 1; }, 1000); // the push runs
    bool stopped = false;
    room.finishThenStop([&] { stopped = true; });
    send(venue::CommandJson(command(venue::CommandKind::Pull, "late")));
    EXPECT_FALSE(stopped);
    clock.runUntil([&] { return stopped; }, 60000);
    const auto answers = replies();
    ASSERT_EQ(answers.size(), 3u);
    for (std::size_t i : {0u, 1u}) {
        EXPECT_EQ(answers[i].outcome, Outcome::Refused);
        EXPECT_EQ(answers[i].reason, agent::RoomAgent::kStoppingRefusal);
    }
    EXPECT_EQ(answers[0].id, "waiting");
    EXPECT_EQ(answers[1].id, "late");
    EXPECT_EQ(answers[2].id, "push");
    EXPECT_EQ(answers[2].outcome, Outcome::Done) << answers[2].reason;
    EXPECT_EQ(processor.value(0, core::kMasterLevels), 33);
}

// The processor vanishes in the middle of a push: one failed reply, and the next command is answered.
TEST_F(RoomAgentTest, APushThatLosesTheProcessorFailsOnceAndTheQueueGoesOn)
{
    auto push = command(venue::CommandKind::Push, "push");
    push.configuration = configuration(33);
    auto level = command(venue::CommandKind::Level, "level");
    level.value = 10;
    port.unplugDuringNextBlockWrite();
    send(venue::CommandJson(push));
    send(venue::CommandJson(level));
    clock.runUntil([&] { return replies().size() == 2; }, 60000);
    clock.advance(10000);
    const auto answers = replies();
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0].id, "push");
    EXPECT_EQ(answers[0].outcome, Outcome::Failed);
    EXPECT_EQ(answers[0].reason, "writing to the processor failed");
    EXPECT_EQ(answers[1].id, "level");
    EXPECT_EQ(answers[1].outcome, Outcome::Refused);
    EXPECT_EQ(answers[1].reason, presets::kOfflineRefusal);
}

TEST_F(RoomAgentTest, WithTheProcessorUnpluggedCommandsAreRefusedWithItsOfflineText)
{
    port.unplug();
    clock.runUntil([&] { return !lastState()->processor; }, 20000);
    auto recall = command(venue::CommandKind::Recall);
    recall.preset = 2;
    const auto reply = run(recall);
    EXPECT_EQ(reply.outcome, Outcome::Refused);
    EXPECT_EQ(reply.reason, "设备未联机！无法进行该操作。");
    port.replug();
    clock.runUntil([&] { return lastState()->processor.has_value(); }, 20000);
    EXPECT_EQ(run(recall).outcome, Outcome::Done);
}

TEST_F(RoomAgentTest, AnUnconfirmedSettingIsAFailureAndTheStateWaitsForTheNextRead)
{
    // The processor takes the value but its replies are lost: the agent cannot know.
    processor.dropNextReplies(1000);
    auto tone = command(venue::CommandKind::Tone);
    tone.value = 9;
    EXPECT_EQ(run(tone).outcome, Outcome::Failed);
    clock.runUntil([&] { return !lastState()->processor; }, 20000);
    processor.dropNextReplies(0);
    clock.runUntil([&] { return lastState()->processor.has_value(); }, 20000);
    EXPECT_EQ(lastState()->processor->tone, processor.value(0, core::kToneAddress));
}
