#include "soak_run.h"

#include "copy_check.h"
#include "fault_plan.h"
#include "scripted_user.h"
#include "soak_console.h"

#include "sim/kind_layout.h"

#include "link/connection_supervisor.h"
#include "link/hid_port.h"

#include "core/address_map.h"
#include "core/config_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <set>
#include <sstream>

namespace quorix::soak {

namespace {

using link::ConnectionSupervisor;

constexpr int kMinuteMs = 60000;
constexpr int kFaultWithinMs = 20000; // the fault falls in the first third of its minute
// The supervisor's promise: a handshake every 10 ticks, the device searched for
// at least every 100 ms, and one tick for this watch to see it.
constexpr int kOnlinePromiseMs = ConnectionSupervisor::kHandshakeEveryTicks * ConnectionSupervisor::kTickMs +
                                 link::HidPort::kSearchEveryMs + 2 * ConnectionSupervisor::kTickMs;
constexpr int kUnsettledMinutes = 10;
constexpr long kMemoryGrowthKb = 16 * 1024;
constexpr int kFiles = 3;
constexpr int kShown = 3; // copies named in one line

// Resident memory in kB, from the kernel's view of this process; 0 where there is none.
long ResidentKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

// A few configuration files with tunings of their own, for the user to open.
std::vector<std::filesystem::path> WriteFiles(const std::filesystem::path& folder, std::mt19937_64& random)
{
    std::filesystem::create_directories(folder);
    std::vector<std::filesystem::path> files;
    for (int f = 0; f < kFiles; ++f) {
        core::ParamStore tuning = core::DefaultParamStore();
        for (int change = 0; change < 60; ++change) {
            const int address = std::uniform_int_distribution<int>(0, core::kFirstGlobalAddress - 1)(random);
            for (int mode = 0; mode < 2; ++mode) {
                core::ParamRecord& r = tuning.at(mode, address);
                if (!r.defined)
                    continue;
                if (r.paramClass == core::ParamClass::EqBand)
                    r.band.gain = std::uniform_int_distribution<int>(10, 370)(random);
                else
                    r.value = std::uniform_int_distribution<int>(0, 100)(random);
            }
        }
        files.push_back(folder / ("tuning" + std::to_string(f) + ".quorix"));
        core::SaveConfigurationFile(files.back(), tuning);
    }
    return files;
}

class SoakRun {
public:
    SoakRun(std::uint64_t seed, std::ostream& out);
    ~SoakRun();
    SoakSummary run(int hours);

private:
    void violation(const std::string& what);
    void onReport(const link::LinkReport& report);
    void onWritten(std::span<const std::uint8_t> report, bool online);
    void watchTick();
    void checkCopies();

    std::uint64_t m_seed;
    std::ostream& m_out;
    std::mt19937_64 m_random;
    std::filesystem::path m_folder;
    std::unique_ptr<SoakConsole> m_console;
    std::unique_ptr<ScriptedUser> m_user;
    std::unique_ptr<FaultPlan> m_plan;
    SoakSummary m_summary;
    int m_minute = 0;
    std::int64_t m_downSince = -1;   // the link is not online since
    std::int64_t m_healthySince = 0; // the line is clean since
    bool m_healthy = true;
    bool m_outageTold = false;  // this outage already broke the promise
    std::set<Copy> m_differing; // unmarked differences seen at the last check
    int m_unsettled = 0;
};

SoakRun::SoakRun(std::uint64_t seed, std::ostream& out)
    : m_seed(seed), m_out(out), m_random(seed),
      m_folder(std::filesystem::temp_directory_path() /
               ("quorix-soak-" + std::to_string(seed) + "-" + std::to_string(std::random_device{}())))
{
    m_console = std::make_unique<SoakConsole>(SoakConsole::Events{
        .report = [this](const link::LinkReport& r) { onReport(r); },
        .written = [this](std::span<const std::uint8_t> r, bool online) { onWritten(r, online); },
        .answer = [this](presets::ProcessorComparison& comparison) { return m_user->answer(comparison); }});
    m_user = std::make_unique<ScriptedUser>(*m_console, seed * 2 + 1, WriteFiles(m_folder, m_random));
    m_plan = std::make_unique<FaultPlan>(*m_console, seed * 2 + 2,
                                         FaultPlan::Acts{.edit = [this] { m_user->editOne(); },
                                                         .openFile = [this] { m_user->openFile(); },
                                                         .presetCommand = [this] { m_user->presetCommand(); }});
}

SoakRun::~SoakRun()
{
    m_plan.reset();
    m_user.reset();
    m_console.reset();
    std::error_code ec;
    std::filesystem::remove_all(m_folder, ec);
}

void SoakRun::violation(const std::string& what)
{
    ++m_summary.violations;
    m_out << "seed " << m_seed << " minute " << m_minute << ": " << what << '\n';
}

void SoakRun::onReport(const link::LinkReport& report)
{
    if (report.code == link::LinkCode::Tick)
        watchTick();
}

// Principle 9 at the wire: nothing but the handshake goes out while the link
// is down, and a write carries what the store holds unless a newer one follows it.
void SoakRun::onWritten(std::span<const std::uint8_t> report, bool online)
{
    const auto payload = report.subspan(2, std::min<std::size_t>(report[1], report.size() - 2));
    if (payload.empty())
        return;
    constexpr std::uint8_t kStart = 0xFE, kKeepAlive = 0xFF, kHandshake = 0xFA, kWriteParam = 0x00;
    if (!online &&
        (payload[0] == kKeepAlive || (payload[0] == kStart && payload.size() > 1 && payload[1] != kHandshake))) {
        violation("request " + std::to_string(payload.size() > 1 ? payload[1] : payload[0]) +
                  " went out while the link was down");
        return;
    }
    if (payload[0] != kStart || payload.size() < 5 || payload[1] != kWriteParam)
        return;
    const int mode = payload[2];
    const int address = payload[3] * 256 + payload[4];
    if (mode > 1 || address >= core::kAddressCount)
        return; // the processor refuses it, and the refusal is counted at the end
    if (!HoldsStoreValue(m_console->processor(), m_console->store(), mode, address) &&
        m_console->link().queuedWrites(mode, address) == 0)
        violation("a write of " + DescribeCopy(m_console->processor(), m_console->store(), {mode, address}) +
                  " went out behind the store, and no newer write follows it");
}

void SoakRun::watchTick()
{
    const std::int64_t now = m_console->clock().nowMs();
    m_plan->tend();
    const bool healthy = m_plan->lineHealthy() && !m_console->link().state().linkDisabled;
    if (healthy && !m_healthy)
        m_healthySince = now;
    m_healthy = healthy;
    if (m_console->link().online()) {
        if (m_downSince >= 0) {
            ++m_summary.recoveries;
            if (healthy)
                m_summary.slowestRecoveryMs =
                    std::max(m_summary.slowestRecoveryMs, now - std::max(m_downSince, m_healthySince));
        }
        m_downSince = -1;
        m_outageTold = false;
        return;
    }
    if (m_downSince < 0)
        m_downSince = now;
    const std::int64_t waited = now - std::max(m_downSince, m_healthySince);
    if (healthy && !m_outageTold && waited > kOnlinePromiseMs) {
        m_outageTold = true;
        violation("not back online " + std::to_string(waited) + " ms after the line was clean (promised " +
                  std::to_string(kOnlinePromiseMs) + " ms)");
    }
}

// After a recovery, and at every quiet moment: the processor holds the store's
// value, or the console has marked the copy.
void SoakRun::checkCopies()
{
    if (!m_console->settled() || !m_healthy) {
        if (m_healthy && !m_console->link().state().linkDisabled && ++m_unsettled == kUnsettledMinutes)
            violation("no quiet moment online for " + std::to_string(kUnsettledMinutes) + " minutes");
        return;
    }
    m_unsettled = 0;
    const auto differing =
        UnmarkedDifferences(m_console->processor(), m_console->store(),
                            [this](int mode, int address) { return m_console->marked(mode, address); });
    std::vector<Copy> fresh;
    for (const Copy& copy : differing)
        if (!m_differing.contains(copy))
            fresh.push_back(copy);
    m_differing = {differing.begin(), differing.end()};
    if (fresh.empty())
        return;
    m_summary.copiesDiffering += static_cast<int>(fresh.size());
    for (const auto& [mode, address] : fresh) {
        if (!sim::layout::IsBlockKind(address / 256))
            ++m_summary.unreadableKindCopies;
        else if (mode == 1)
            ++m_summary.danceCopies;
    }
    std::ostringstream text;
    text << fresh.size() << (fresh.size() == 1 ? " copy differs" : " copies differ") << " from the store unmarked:";
    for (std::size_t i = 0; i < fresh.size() && i < kShown; ++i)
        text << (i ? "; " : " ") << DescribeCopy(m_console->processor(), m_console->store(), fresh[i]);
    violation(text.str());
}

SoakSummary SoakRun::run(int hours)
{
    core::ManualScheduler& clock = m_console->clock();
    std::uniform_int_distribution<int> faultAt(0, kFaultWithinMs);
    long memoryAtHourOne = 0;
    m_user->start();
    try {
        for (m_minute = 0; m_minute < hours * 60; ++m_minute) {
            const int at = faultAt(m_random);
            clock.advance(at);
            m_plan->apply(m_minute);
            ++m_summary.faults;
            // A fault that is over before the next tick still makes the line clean only from then.
            m_healthy = m_healthy && m_plan->lineHealthy();
            clock.advance(kMinuteMs - at);
            checkCopies();
            if (m_minute == 60)
                memoryAtHourOne = ResidentKb();
        }
    } catch (const std::exception& e) {
        violation(std::string("the console threw: ") + e.what());
    }
    m_summary.minutes = m_minute;
    if (const long grown = ResidentKb() - memoryAtHourOne; memoryAtHourOne > 0 && grown > kMemoryGrowthKb)
        violation("resident memory grew by " + std::to_string(grown) + " kB after the first hour");
    if (const int refused = m_console->processor().refusals().count(); refused > 0)
        violation(std::to_string(refused) + " requests refused by the processor, the first: " +
                  m_console->processor().refusals().text().substr(0, 200));
    m_summary.staleReplies = m_console->link().refusedReplies().stale;
    m_summary.outOfRangeReplies = m_console->link().refusedReplies().outOfRange;
    return m_summary;
}

} // namespace

SoakSummary RunSoak(std::uint64_t seed, int hours, std::ostream& out)
{
    return SoakRun(seed, out).run(hours);
}

} // namespace quorix::soak
