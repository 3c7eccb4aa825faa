#include "room_agent.h"

#include "venue/working_set_hash.h"

#include "presets/preset_texts.h"

#include "core/address_map.h"
#include "core/common_addresses.h"
#include "core/config_file.h"
#include "core/param_diff.h"
#include "core/preset_name.h"
#include "core/transferred_set.h"

#include <algorithm>
#include <sstream>

namespace quorix::agent {

namespace {

using venue::CommandKind;
using venue::CommandReply;
using venue::Outcome;

CommandReply Reply(const std::string& id, Outcome outcome, std::string reason = {})
{
    CommandReply reply;
    reply.id = id;
    reply.outcome = outcome;
    reply.reason = std::move(reason);
    return reply;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

RoomAgent::RoomAgent(venue::RoomAddress address, link::HidBackend& backend, core::Scheduler& scheduler, Publish publish,
                     std::function<std::int64_t()> secondsSince1970, std::ostream& log)
    : m_address(std::move(address)), m_scheduler(scheduler), m_publish(std::move(publish)),
      m_clock(std::move(secondsSince1970)), m_log(log), m_relay(backend, scheduler),
      m_link(m_relay, scheduler, m_work.context(), *this),
      m_presets({m_link, m_work.store, m_work.image, m_work.view, m_work.digits, *this}, m_prompter, m_prompter)
{
    m_runner = scheduler.createTimer(0, true, [this] { runNext(); });
    m_stateDue = scheduler.createTimer(0, true, [this] { publishState(); });
    m_heartbeat = scheduler.createTimer(kHeartbeatMs, false, [this] {
        m_lastState.clear(); // the same state again, with a new "last seen"
        publishState();
    });
    m_tuningSilence = scheduler.createTimer(kTuningSilenceMs, true, [this] { endTuning("went silent"); });
    m_stopBound = scheduler.createTimer(kStopWaitMs, true, [this] {
        m_log << "stopping before the running command has ended\n";
        tellStopped();
    });
    m_remoteWritesSettled = scheduler.createTimer(kRemoteWritesSettleMs, true, [this] {
        if (m_remoteWrites)
            m_remoteWrites();
    });
}

RoomAgent::~RoomAgent() = default;

void RoomAgent::start()
{
    m_link.start();
    m_heartbeat->start();
}

void RoomAgent::stop()
{
    m_heartbeat->stop();
    m_tuningSilence->stop();
    m_relay.restore();
    m_link.setQuietShutdown(true);
    m_link.stop();
}

void RoomAgent::brokerConnected()
{
    m_lastState.clear();
    publishState();
}

std::string RoomAgent::willPayload(const venue::RoomAddress& address)
{
    venue::RoomState gone;
    gone.address = address;
    return venue::StateJson(gone);
}

bool RoomAgent::processorReady() const
{
    return m_synchronised && m_link.online();
}

venue::RoomState RoomAgent::state() const
{
    venue::RoomState state;
    state.address = m_address;
    state.online = true;
    state.lastSeen = m_clock();
    state.tunedBy = m_tunedBy;
    if (!processorReady())
        return state;
    venue::ProcessorState p;
    p.variant = m_link.state().deviceVariantFlag ? '3' : '1';
    p.preset = m_work.view.currentPreset;
    p.mode = m_work.store.at(0, core::kModeAddress).value == 1 ? 1 : 0;
    for (std::size_t i = 0; i < p.levels.size(); ++i) {
        const int offset = static_cast<int>(i);
        p.levels[i] = std::clamp(m_work.store.at(0, core::kMasterLevels + offset).value, 0, venue::kHighestLevel);
        p.muted[i] = m_work.store.at(0, core::kMasterMutes + offset).value != 0;
    }
    p.tone = std::clamp(m_work.store.at(0, core::kToneAddress).value, 0, venue::kHighestTone);
    p.workingSetHash = venue::WorkingSetHash(m_work.store);
    state.processor = p;
    return state;
}

void RoomAgent::publishState()
{
    venue::RoomState now = state();
    // Unchanged apart from the time: nothing to tell until the heartbeat.
    const std::int64_t seen = now.lastSeen;
    now.lastSeen = 0;
    const std::string without = venue::StateJson(now);
    if (without == m_lastState)
        return;
    m_lastState = without;
    now.lastSeen = seen;
    m_publish(venue::Topic(m_address, venue::TopicKind::State), venue::StateJson(now), true);
}

void RoomAgent::report(const link::LinkReport& report)
{
    switch (report.code) {
    case link::LinkCode::Synchronised:
        m_synchronised = true;
        m_log << "processor: synchronised\n";
        break;
    case link::LinkCode::SyncFailed:
        m_synchronised = false;
        m_log << "processor: the synchronisation failed\n";
        break;
    case link::LinkCode::Lost:
    case link::LinkCode::Disconnected:
        if (m_synchronised)
            m_log << "processor: the link is lost\n";
        m_synchronised = false;
        break;
    case link::LinkCode::Tick:
    case link::LinkCode::Progress:
        return;
    default:
        break;
    }
    // Told after the link step, never from inside it.
    if (!m_running)
        m_stateDue->start();
}

void RoomAgent::receive(const std::string& topic, const std::string& payload, bool retained)
{
    if (topic == venue::Topic(m_address, venue::TopicKind::HidOut)) {
        if (m_tunedBy.empty() || retained)
            return;
        m_tuningSilence->start();
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(payload.data());
        // Kept at most a second after a report, however steadily the console talks.
        if (m_relay.forward({bytes, payload.size()}) && !m_remoteWritesSettled->isActive())
            m_remoteWritesSettled->start();
        else if (m_relay.droppedReports() == 1)
            m_log << "remote tuning: dropped a report that is not one the processor takes\n";
        return;
    }
    if (topic != venue::Topic(m_address, venue::TopicKind::Command))
        return;
    if (retained) {
        m_log << "passed over a retained command\n";
        return;
    }
    auto parsed = venue::ParseRoomCommand(payload);
    if (!parsed.command) {
        m_log << "refused a command: " << parsed.refusal << '\n';
        publishReply(Reply(parsed.id, Outcome::Refused, parsed.refusal));
        return;
    }
    if (m_stopping) {
        refuseWhileStopping(parsed.command->id);
        return;
    }
    m_queue.push_back(std::move(*parsed.command));
    m_runner->start();
}

void RoomAgent::finishThenStop(std::function<void()> stopped)
{
    m_stopping = true;
    m_stopped = std::move(stopped);
    for (const venue::RoomCommand& waiting : std::exchange(m_queue, {}))
        refuseWhileStopping(waiting.id);
    if (!m_running)
        return tellStopped();
    m_stopBound->start();
}

void RoomAgent::tellStopped()
{
    m_stopBound->stop();
    if (auto stopped = std::exchange(m_stopped, {}))
        stopped();
}

void RoomAgent::refuseWhileStopping(const std::string& id)
{
    m_log << "command " << id << ": refused (the agent is stopping)\n";
    publishReply(Reply(id, Outcome::Refused, std::string(kStoppingRefusal)));
}

void RoomAgent::runNext()
{
    // A command arriving while another waits for the processor runs after it.
    if (m_running || m_queue.empty())
        return;
    m_running = true;
    const venue::RoomCommand command = std::move(m_queue.front());
    m_queue.pop_front();
    execute(command, [this, id = command.id](CommandReply reply) { conclude(id, std::move(reply)); });
}

void RoomAgent::conclude(const std::string& id, CommandReply reply)
{
    reply.id = id;
    m_log << "command " << id << ": " << venue::OutcomeName(reply.outcome)
          << (reply.reason.empty() ? "" : " (" + reply.reason + ")") << '\n';
    // What the reply says is kept before it is said.
    if (m_commandEnded)
        m_commandEnded();
    publishReply(reply);
    m_running = false;
    if (m_stopping)
        return tellStopped();
    publishState();
    if (!m_queue.empty())
        m_runner->start();
}

// Each command goes on from the processor's answers as they come: the agent
// never waits inside a handler of its event loop, where a due timer may not fire.
void RoomAgent::execute(const venue::RoomCommand& command, Answer answer)
{
    if (command.kind == CommandKind::Tune)
        return answer(tune(command));
    if (!m_tunedBy.empty())
        return answer(Reply({}, Outcome::Refused, "the room is tuned remotely from " + m_tunedBy));
    if (!processorReady())
        return answer(Reply({}, Outcome::Refused, std::string(presets::kOfflineRefusal)));
    const int channel = command.channel;
    switch (command.kind) {
    case CommandKind::Recall: {
        const int preset = *command.preset;
        return m_presets.recall(preset, [this, preset, answer = std::move(answer)](bool whole) {
            if (!whole)
                return answer(Reply({}, Outcome::Failed,
                                    "the processor did not give preset " + core::PresetName(preset) + " whole"));
            CommandReply reply = Reply({}, Outcome::Done);
            reply.preset = m_work.view.currentPreset;
            answer(reply);
        });
    }
    case CommandKind::Store:
        return store(*command.preset, std::move(answer));
    case CommandKind::Level: {
        const int maximum = m_work.store.at(0, core::kMaximumLevels + channel).value;
        if (command.value > maximum)
            return answer(Reply({}, Outcome::Refused,
                                "the room's " + std::string(venue::kLevelNames[static_cast<std::size_t>(channel)]) +
                                    " level goes up to " + std::to_string(maximum)));
        return setCommon(core::kMasterLevels + channel, command.value, "level", std::move(answer));
    }
    case CommandKind::Mute:
        return setCommon(core::kMasterMutes + channel, command.on ? 1 : 0, "mute", std::move(answer));
    case CommandKind::Tone:
        return setCommon(core::kToneAddress, command.value, "key tone", std::move(answer));
    case CommandKind::Mode: {
        const int mode = command.value;
        return setCommon(core::kModeAddress, mode, "mode",
                         [this, mode, answer = std::move(answer)](CommandReply reply) {
                             if (reply.outcome == Outcome::Done)
                                 m_work.view.currentMode = static_cast<std::uint8_t>(mode);
                             answer(std::move(reply));
                         });
    }
    case CommandKind::Push:
        return push(command, std::move(answer));
    case CommandKind::Pull:
        return pull(std::move(answer));
    case CommandKind::Tune:
        break;
    }
    answer(Reply({}, Outcome::Refused, "unknown command"));
}

void RoomAgent::setCommon(int address, int value, const std::string& what, Answer answer)
{
    core::ParamRecord& record = m_work.store.at(0, address);
    const int before = record.value;
    record.value = value;
    m_link.writeParam(address, [this, address, before, what, answer = std::move(answer)](bool confirmed) {
        if (confirmed)
            return answer(Reply({}, Outcome::Done));
        // What the processor did not confirm is not what the room is said to hold.
        m_work.store.at(0, address).value = before;
        answer(Reply({}, Outcome::Failed, "the processor did not confirm the " + what));
    });
}

void RoomAgent::store(int preset, Answer answer)
{
    m_presets.store(preset - presets::kFirstUserPreset, [this, preset, answer = std::move(answer)](bool stored) {
        const std::string message = m_prompter.takeMessage();
        if (stored) {
            CommandReply reply = Reply({}, Outcome::Done);
            reply.preset = m_work.view.currentPreset;
            return answer(reply);
        }
        // A message before any request is the processor's rights refusing it.
        if (message == presets::kGuestRefusal)
            return answer(Reply({}, Outcome::Refused, message));
        answer(Reply({}, Outcome::Failed, "the processor did not confirm the store into " + core::PresetName(preset)));
    });
}

void RoomAgent::push(const venue::RoomCommand& command, Answer answer)
{
    auto file = std::make_shared<core::ParamStore>();
    if (const auto decoded = core::DecodeConfiguration(command.configuration, *file); !decoded.ok)
        return answer(
            Reply({}, Outcome::Refused,
                  "record " + std::to_string(decoded.record) + " of the configuration is not one a console writes"));
    if (!command.preset)
        return pushFile(file, std::move(answer));
    const int recalled = *command.preset;
    m_work.view.currentPreset = static_cast<std::uint8_t>(recalled);
    m_link.readFromDevice(
        recalled, false, link::Command::ReadBlock, [this, recalled, file, answer = std::move(answer)](bool whole) {
            if (!whole)
                return answer(Reply({}, Outcome::Failed,
                                    "recalling preset " + core::PresetName(recalled) + " failed; nothing was written"));
            pushFile(file, answer);
        });
}

void RoomAgent::pushFile(const std::shared_ptr<const core::ParamStore>& file, Answer answer)
{
    const int preset = m_work.view.currentPreset;
    m_work.image = *file;
    if (!m_link.configurationWritable(preset))
        return answer(
            Reply({}, Outcome::Refused, "the configuration cannot travel to preset " + core::PresetName(preset)));
    m_link.writeToDevice(preset, [this, preset, file, answer = std::move(answer)](bool written) {
        if (!written)
            return answer(Reply({}, Outcome::Failed, "writing to the processor failed"));
        m_link.readFromDevice(preset, false, link::Command::ReadBlockBack, [this, preset, file, answer](bool read) {
            if (!read)
                return answer(Reply({}, Outcome::Failed, "reading back from the processor failed"));
            CommandReply reply = Reply({}, Outcome::Done);
            reply.preset = preset;
            const auto differences = core::TransferredDifferences(*file, m_work.store);
            if (!differences.empty()) {
                reply.outcome = Outcome::Failed;
                reply.reason =
                    "the processor holds " + std::to_string(differences.size()) + " value(s) other than the file's";
                reply.differences = Lines(core::FormatDifferences(differences));
            }
            answer(reply);
        });
    });
}

void RoomAgent::pull(Answer answer)
{
    auto working = std::make_shared<core::ParamStore>(m_work.store);
    m_link.readWorkingSet(m_work.view.currentPreset, *working, [this, working, answer = std::move(answer)](bool read) {
        if (!read)
            return answer(Reply({}, Outcome::Failed, "reading the working set failed"));
        CommandReply reply = Reply({}, Outcome::Done);
        reply.configuration = core::EncodeConfiguration(*working);
        reply.preset = m_work.view.currentPreset;
        answer(reply);
    });
}

CommandReply RoomAgent::tune(const venue::RoomCommand& command)
{
    if (!command.on) {
        if (m_tunedBy != command.console)
            return Reply({}, Outcome::Refused, "the room is not tuned from " + command.console);
        endTuning("gave the room back");
        return Reply({}, Outcome::Done);
    }
    if (m_tunedBy == command.console) { // a renewal
        m_tuningSilence->start();
        return Reply({}, Outcome::Done);
    }
    if (!m_tunedBy.empty())
        return Reply({}, Outcome::Refused, "the room is tuned remotely from " + m_tunedBy);
    if (!processorReady())
        return Reply({}, Outcome::Refused, std::string(presets::kOfflineRefusal));
    m_link.stop();
    const bool diverted = m_relay.divert([this](const std::vector<std::uint8_t>& report) {
        m_publish(venue::Topic(m_address, venue::TopicKind::HidIn), std::string(report.begin(), report.end()), false);
        if (report.empty())
            endTuning("lost the processor");
    });
    if (!diverted) {
        m_link.start();
        return Reply({}, Outcome::Refused, std::string(presets::kOfflineRefusal));
    }
    m_tunedBy = command.console;
    m_synchronised = false; // what the processor holds is the console's to change now
    m_tuningSilence->start();
    m_log << "remote tuning: " << m_tunedBy << " tunes the room\n";
    return Reply({}, Outcome::Done);
}

void RoomAgent::endTuning(const std::string& why)
{
    if (m_tunedBy.empty())
        return;
    m_log << "remote tuning: " << m_tunedBy << " " << why << "; the room's link takes the processor back\n";
    m_tunedBy.clear();
    m_tuningSilence->stop();
    m_relay.restore();
    if (m_remoteWritesSettled->isActive()) {
        m_remoteWritesSettled->stop();
        if (m_remoteWrites)
            m_remoteWrites();
    }
    // From the handshake on, as after any new connection: the full read tells what the console left.
    m_link.offlineModeChosen();
    m_link.onlineModeChosen();
    m_link.start();
    if (!m_running)
        m_stateDue->start();
}

void RoomAgent::publishReply(const CommandReply& reply)
{
    m_publish(venue::Topic(m_address, venue::TopicKind::Reply), venue::ReplyJson(reply), false);
}

} // namespace quorix::agent
