#include "agent/room_agent.h"

#include "venue/command_reply.h"
#include "venue/remote_room_backend.h"
#include "venue/room_command.h"
#include "venue/room_state.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "link/device_link.h"
#include "link/link_workspace.h"

#include "core/address_map.h"
#include "core/common_addresses.h"
#include "core/manual_scheduler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace quorix;
using venue::TopicKind;

namespace {

const venue::RoomAddress kRoom{"hall", "101"};

// The broker in virtual time: every message goes to the agent and to the
// consoles subscribed to its topic one turn of the clock later, in order. It
// can lose or repeat one report on its way to a console.
struct Broker {
    explicit Broker(core::ManualScheduler& scheduler) : clock(scheduler) {}
    struct Message {
        std::string topic;
        std::string payload;
    };
    core::ManualScheduler& clock;
    agent::RoomAgent* agent = nullptr;
    std::vector<venue::RemoteRoomBackend*> consoles;
    std::vector<Message> seen;
    std::vector<Message> queued;
    std::unique_ptr<core::Timer> delivery = clock.createTimer(0, true, [this] { deliver(); });
    int reportsIn = 0;
    int loseReportIn = -1;                           // the n-th report toward the consoles is lost
    int repeatReportIn = -1;                         // the n-th report toward the consoles arrives twice
    std::vector<venue::RemoteRoomBackend*> silenced; // vanished without a word

    void publish(const std::string& topic, const std::string& payload)
    {
        seen.push_back({topic, payload});
        if (topic == venue::Topic(kRoom, TopicKind::HidIn) && !payload.empty()) {
            const int n = reportsIn++;
            if (n == loseReportIn)
                return;
            if (n == repeatReportIn)
                queued.push_back({topic, payload});
        }
        queued.push_back({topic, payload});
        delivery->start();
    }

    void deliver()
    {
        const auto now = std::move(queued);
        queued.clear();
        for (const auto& m : now) {
            agent->receive(m.topic, m.payload);
            for (auto* console : consoles) {
                const auto filters = console->subscriptions();
                if (std::find(filters.begin(), filters.end(), m.topic) != filters.end())
                    console->receive(m.topic, m.payload);
            }
        }
    }

    std::optional<venue::RoomState> lastState() const
    {
        for (auto m = seen.rbegin(); m != seen.rend(); ++m)
            if (m->topic == venue::Topic(kRoom, TopicKind::State))
                return venue::ParseRoomState(m->payload).state;
        return std::nullopt;
    }

    std::optional<venue::CommandReply> reply(const std::string& idPrefix) const
    {
        for (auto m = seen.rbegin(); m != seen.rend(); ++m)
            if (m->topic == venue::Topic(kRoom, TopicKind::Reply))
                if (auto r = venue::ParseCommandReply(m->payload).reply; r && r->id.starts_with(idPrefix))
                    return r;
        return std::nullopt;
    }
};

// The virtual processor's port, whose devices may be made unable to say when a
// report is there: the agent's link and its relay then poll.
struct PollablePort final : link::HidBackend {
    struct Device final : link::HidDevice {
        Device(std::unique_ptr<link::HidDevice> d, bool p) : inner(std::move(d)), polled(p) {}
        bool writeReport(std::span<const std::uint8_t> report) override { return inner->writeReport(report); }
        int readReport(std::span<std::uint8_t> buffer, int timeoutMs) override
        {
            return inner->readReport(buffer, timeoutMs);
        }
        bool notifyReadable(std::function<void()> readable) override
        {
            return !polled && inner->notifyReadable(std::move(readable));
        }
        std::size_t inputReportLength() const override { return inner->inputReportLength(); }
        std::size_t outputReportLength() const override { return inner->outputReportLength(); }
        std::unique_ptr<link::HidDevice> inner;
        bool polled;
    };
    explicit PollablePort(link::HidBackend& backend) : inner(backend) {}
    std::vector<std::string> enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string* error) override
    {
        return inner.enumerate(vendorId, productId, error);
    }
    std::unique_ptr<link::HidDevice> open(const std::string& path) override
    {
        auto device = inner.open(path);
        return device ? std::make_unique<Device>(std::move(device), polled) : nullptr;
    }
    link::HidBackend& inner;
    bool polled = false;
};

// A console with its own link, on a remote backend instead of a USB port.
struct Console : link::LinkHost, link::LinkWorkspace {
    Console(const std::string& name, core::ManualScheduler& clock, Broker& broker)
        : backend(kRoom, name, clock,
                  [&broker, this](const std::string& topic, const std::string& payload) {
                      if (std::find(broker.silenced.begin(), broker.silenced.end(), &backend) == broker.silenced.end())
                          broker.publish(topic, payload);
                  }),
          link(backend, clock, context(), *this)
    {
        broker.consoles.push_back(&backend);
    }
    void report(const link::LinkReport& report) override
    {
        if (report.code == link::LinkCode::Synchronised)
            ++synchronised;
        if (report.code == link::LinkCode::Lost)
            ++lost;
    }
    void start()
    {
        backend.start();
        link.start();
    }

    venue::RemoteRoomBackend backend;
    link::DeviceLink link;
    int synchronised = 0;
    int lost = 0;
};

struct RemoteTuningTest : ::testing::Test {
    core::ManualScheduler clock;
    sim::VirtualProcessor processor;
    sim::SimUsbPort port{processor, clock};
    PollablePort pollable{port};
    Broker broker{clock};
    std::ostringstream log;
    agent::RoomAgent room{kRoom,
                          pollable,
                          clock,
                          [this](const std::string& t, const std::string& p, bool) { broker.publish(t, p); },
                          [] { return std::int64_t{1800000000}; },
                          log};

    void SetUp() override
    {
        broker.agent = &room;
        room.start();
        clock.runUntil([&] { return broker.lastState() && broker.lastState()->processor; }, 20000);
        ASSERT_TRUE(broker.lastState()->processor);
    }

    std::string send(venue::CommandKind kind, const std::string& id)
    {
        venue::RoomCommand command;
        command.id = id;
        command.kind = kind;
        broker.publish(venue::Topic(kRoom, TopicKind::Command), venue::CommandJson(command));
        clock.runUntil([&] { return broker.reply(id).has_value(); }, 60000);
        const auto reply = broker.reply(id);
        return reply ? std::string(venue::OutcomeName(reply->outcome)) + ": " + reply->reason : "no reply";
    }
};

struct Fault {
    const char* name;
    int lose;
    int repeat;
    bool polled = false; // the room's device cannot say when a report is there
};

class RemoteTuningFaults : public RemoteTuningTest, public ::testing::WithParamInterface<Fault> {
    void SetUp() override
    {
        pollable.polled = GetParam().polled;
        RemoteTuningTest::SetUp();
    }
};

TEST_P(RemoteTuningFaults, AConsoleTunesTheRoomThroughItsAgentAndTheAgentReadsItBackAfter)
{
    broker.loseReportIn = GetParam().lose;
    broker.repeatReportIn = GetParam().repeat;
    processor.setValue(0, core::kMasterLevels + 1, 27);
    int kept = 0; // the room's memory file would be saved
    room.onRemoteWrites([&] { ++kept; });
    Console console("laptop", clock, broker);
    console.start();
    clock.runUntil([&] { return console.synchronised > 0; }, 120000);
    ASSERT_EQ(console.synchronised, 1);
    EXPECT_EQ(console.store.at(0, core::kMasterLevels + 1).value, 27);
    EXPECT_EQ(room.tunedBy(), "laptop");
    EXPECT_EQ(broker.lastState()->tunedBy, "laptop");
    EXPECT_FALSE(broker.lastState()->processor); // the console's to change now

    console.store.at(0, core::kMasterLevels).value = 33;
    console.link.queueWrite(0, core::kMasterLevels);
    clock.runUntil([&] { return processor.value(0, core::kMasterLevels) == 33; }, 20000);
    EXPECT_EQ(processor.value(0, core::kMasterLevels), 33);
    kept = 0;
    clock.advance(agent::RoomAgent::kRemoteWritesSettleMs);
    EXPECT_GE(kept, 1);
    EXPECT_EQ(send(venue::CommandKind::Pull, "desk"), "refused: the room is tuned remotely from laptop");

    // The renewals keep the room held well past the agent's patience with silence.
    clock.advance(3 * agent::RoomAgent::kTuningSilenceMs);
    EXPECT_EQ(room.tunedBy(), "laptop");
    EXPECT_EQ(console.lost, 0);

    console.backend.stop();
    clock.runUntil([&] { return broker.lastState()->processor.has_value(); }, 20000);
    ASSERT_TRUE(broker.lastState()->processor);
    EXPECT_EQ(broker.lastState()->processor->levels[0], 33);
    EXPECT_EQ(broker.lastState()->tunedBy, "");
    EXPECT_EQ(send(venue::CommandKind::Pull, "after"), "done: ");
}

INSTANTIATE_TEST_SUITE_P(Faults, RemoteTuningFaults,
                         ::testing::Values(Fault{"clean", -1, -1}, Fault{"lost", 40, -1}, Fault{"repeated", -1, 40},
                                           Fault{"polled", -1, -1, true}),
                         [](const ::testing::TestParamInfo<Fault>& fault) { return std::string(fault.param.name); });

TEST_F(RemoteTuningTest, OneConsoleAtATimeAndTheRoomGoesBackWhenItsHolderFallsSilent)
{
    Console first("first", clock, broker);
    first.start();
    clock.runUntil([&] { return first.synchronised > 0; }, 120000);
    Console second("second", clock, broker);
    std::string refusal;
    second.backend.onRefused([&](const std::string& reason) { refusal = reason; });
    second.start();
    clock.runUntil([&] { return !refusal.empty(); }, 20000);
    EXPECT_EQ(refusal, "the room is tuned remotely from first");
    EXPECT_FALSE(second.backend.held());
    // A will not the holder's changes nothing.
    broker.publish(venue::Topic(kRoom, TopicKind::Command), second.backend.willPayload());
    clock.advance(1000);
    EXPECT_EQ(room.tunedBy(), "first");

    broker.silenced.push_back(&first.backend); // gone without a will
    clock.runUntil([&] { return room.tunedBy() != "first"; }, 2 * agent::RoomAgent::kTuningSilenceMs);
    EXPECT_NE(room.tunedBy(), "first");
    // The second console, asking still, has the room next; the first learns its hold is over.
    clock.runUntil([&] { return second.synchronised > 0; }, 120000);
    EXPECT_EQ(room.tunedBy(), "second");
    EXPECT_FALSE(first.backend.held());

    // Its will gives the room back at once.
    broker.publish(venue::Topic(kRoom, TopicKind::Command), second.backend.willPayload());
    broker.silenced.push_back(&second.backend);
    clock.runUntil([&] { return broker.lastState()->processor.has_value(); }, 20000);
    EXPECT_EQ(room.tunedBy(), "");
    EXPECT_TRUE(broker.lastState()->processor);
}

TEST_F(RemoteTuningTest, AnUnpluggedProcessorEndsTheTuningAndForeignReportsReachNothing)
{
    Console console("laptop", clock, broker);
    console.start();
    clock.runUntil([&] { return console.synchronised > 0; }, 120000);
    const int written = port.reportsWritten();
    const std::string out = venue::Topic(kRoom, TopicKind::HidOut);
    for (const std::string& report : {std::string(), std::string("\x02\x01\x55", 3), std::string(66, '\x01')})
        room.receive(out, report);
    EXPECT_EQ(port.reportsWritten(), written);

    port.unplug();
    clock.runUntil([&] { return room.tunedBy().empty(); }, 20000);
    EXPECT_TRUE(room.tunedBy().empty());
    clock.runUntil([&] { return !console.backend.held(); }, 1000);
    EXPECT_FALSE(console.backend.held());
    port.replug();
    // The room's own link finds the processor again; the console, asking still, is given it back after,
    // and its edits land again.
    clock.runUntil([&] { return room.tunedBy() == "laptop"; }, 60000);
    console.store.at(0, core::kToneAddress).value = 9;
    console.link.queueWrite(0, core::kToneAddress);
    clock.runUntil([&] { return processor.value(0, core::kToneAddress) == 9; }, 20000);
    EXPECT_EQ(processor.value(0, core::kToneAddress), 9);
    // Once the hold is over, reports from the console's topic reach nothing.
    console.backend.stop();
    clock.runUntil([&] { return broker.lastState()->processor.has_value(); }, 20000);
    const int before = port.reportsWritten();
    room.receive(out, std::string("\x01\x01\x55", 3) + std::string(62, '\0'));
    EXPECT_EQ(port.reportsWritten(), before);
}

} // namespace
