#include "fault_plan.h"

#include "soak_console.h"

#include <array>

namespace quorix::soak {

namespace {

constexpr std::uint8_t kToneReset = 0xFD;

} // namespace

std::string_view FaultName(FaultKind kind)
{
    static constexpr std::array<std::string_view, kFaultKinds> kNames = {"lost replies",
                                                                         "lost run",
                                                                         "noise",
                                                                         "noise in a reply",
                                                                         "late reply",
                                                                         "duplicated replies",
                                                                         "split replies",
                                                                         "short unplug",
                                                                         "long unplug",
                                                                         "silent keep-alives",
                                                                         "unplug in a block write",
                                                                         "preset under faults"};
    return kNames[static_cast<std::size_t>(kind)];
}

FaultPlan::FaultPlan(SoakConsole& console, std::uint64_t seed, Acts acts)
    : m_console(console), m_random(seed), m_acts(std::move(acts)),
      m_replug(console.clock().createTimer(0, true, [this] { m_console.port().replug(); })),
      m_speak(console.clock().createTimer(0, true, [this] { m_console.processor().setKeepAliveSilent(false); })),
      m_join(console.clock().createTimer(0, true, [this] {
          m_console.port().setSplitReplies(false);
          m_console.port().setFullSpeedPacing(false);
      }))
{}

int FaultPlan::between(int lowest, int highest)
{
    return std::uniform_int_distribution<int>(lowest, highest)(m_random);
}

// Noise is any byte but the tone reset, which the protocol cannot tell from noise at all.
std::vector<std::uint8_t> FaultPlan::noise(int most)
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(between(1, most)));
    for (std::uint8_t& b : bytes) {
        do
            b = static_cast<std::uint8_t>(between(0, 255));
        while (b == kToneReset);
    }
    return bytes;
}

void FaultPlan::unplugFor(int milliseconds)
{
    if (m_console.port().plugged())
        m_console.port().unplug();
    m_replug->setInterval(milliseconds);
    m_replug->start();
}

void FaultPlan::splitFor(int milliseconds)
{
    m_console.port().setSplitReplies(true);
    m_console.port().setFullSpeedPacing(true);
    m_join->setInterval(milliseconds);
    m_join->start();
}

FaultKind FaultPlan::apply(int minute)
{
    const auto kind = static_cast<FaultKind>(minute % kFaultKinds);
    sim::VirtualProcessor& processor = m_console.processor();
    sim::SimUsbPort& port = m_console.port();
    switch (kind) {
    case FaultKind::LostReplies:
        processor.dropNextReplies(between(1, 3));
        m_acts.edit();
        break;
    case FaultKind::LostRun:
        processor.dropNextReplies(between(9, 12));
        m_acts.edit();
        break;
    case FaultKind::Noise:
        port.injectInput(noise(24));
        break;
    case FaultKind::NoiseInReply:
        // Now and then the noise passes the checksum, in the next block read.
        if (between(0, 2) == 0)
            processor.garbleNextBlock();
        else
            processor.insertNoiseInNextReply(noise(6));
        m_acts.edit();
        break;
    case FaultKind::LateReply:
        port.delayNextReply(between(100, 2000));
        m_acts.edit();
        break;
    case FaultKind::DuplicatedReplies:
        processor.duplicateNextReplies(between(1, 3));
        if (between(0, 1) == 1)
            splitFor(between(2000, 10000));
        m_acts.edit();
        break;
    case FaultKind::SplitReplies:
        splitFor(between(10000, 30000));
        break;
    case FaultKind::ShortUnplug:
        unplugFor(between(200, 3000));
        break;
    case FaultKind::LongUnplug:
        unplugFor(between(8000, 40000));
        break;
    case FaultKind::SilentKeepAlives:
        processor.setKeepAliveSilent(true);
        m_speak->setInterval(between(2000, 12000));
        m_speak->start();
        break;
    case FaultKind::UnplugInBlockWrite:
        port.unplugDuringNextBlockWrite();
        m_acts.openFile();
        break;
    case FaultKind::PresetUnderFaults:
        processor.dropNextReplies(between(1, 2));
        port.delayNextReply(between(100, 1500));
        m_acts.presetCommand();
        break;
    }
    tend();
    return kind;
}

void FaultPlan::tend()
{
    if (!m_console.port().plugged() && !m_replug->isActive())
        unplugFor(between(1000, 5000));
}

bool FaultPlan::lineHealthy() const
{
    const sim::VirtualProcessor& processor = m_console.processor();
    return m_console.port().plugged() && !processor.keepAliveSilent() && !processor.faultPending() &&
           !m_console.port().delayPending();
}

} // namespace quorix::soak
