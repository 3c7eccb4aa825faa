#include "cli_fixture.h"

#include "cli/push_session.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "core/address_map.h"
#include "core/config_file.h"
#include "core/manual_scheduler.h"
#include "core/param_diff.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace quorix::core;

namespace {

// A tuning unlike the processor's defaults in every transferred kind.
ParamStore Tuning()
{
    ParamStore store = DefaultParamStore();
    store.at(0, 2).band.gain = 215;
    store.at(0, 256 + 3).band.bandOff = true;
    store.at(0, Effects * 256 + 0x14).value = 120;
    store.at(0, MainOutput * 256 + 0x16).value = 40;
    store.at(0, SubOutput * 256 + 0x0B).band.gain = 300;
    store.at(0, RecordLeft * 256 + 1).value = 77;
    store.at(0, kCommonBase + 0x0C).value = 1;
    return store;
}

constexpr const char* kUntransferred = "not transferred (the processor's block transfers do not carry them): the "
                                       "pages Mic34, SurroundOutput, CentreOutput, RecordRight";
constexpr const char* kPerModeDanceValues = ", and the per-mode dance values of the mode-dependent pages\n";

} // namespace

TEST_F(CliFixture, PullFromAMemoryFileNotThereYetStartsAFreshProcessorAndSavesIt)
{
    const std::string memory = (dir / "new.mem").string();
    const std::string pulled = (dir / "pulled.quorix").string();
    const CliRun pull = RunCli("pull --simulator-memory " + memory + " -o " + pulled);
    ASSERT_EQ(pull.exitCode, 0) << pull.output;
    EXPECT_NE(pull.output.find(std::string(kUntransferred) + "\n"), std::string::npos) << "a pull reads the dance set";
    quorix::sim::VirtualProcessor saved;
    ASSERT_TRUE(saved.loadFromFile(memory).ok);
    EXPECT_EQ(saved.working(), quorix::sim::VirtualProcessor().working());
}

TEST_F(CliFixture, PushThenPullGivesBackTheSingingSetAndTheCommonParameters)
{
    const std::string memory = (dir / "memory.bin").string(); // not there yet: a fresh virtual processor
    const std::string file = (dir / "room.quorix").string();
    const std::string pulled = (dir / "pulled.quorix").string();
    const std::string trace = (dir / "trace.txt").string();
    ASSERT_TRUE(SaveConfigurationFile(file, Tuning()).ok);

    const CliRun push = RunCli("push " + file + " --simulator-memory " + memory + " --trace " + trace);
    ASSERT_EQ(push.exitCode, 0) << push.output;
    EXPECT_NE(push.output.find("pushed the configuration to preset KTV (0)"), std::string::npos) << push.output;
    EXPECT_NE(push.output.find(std::string(kUntransferred) + kPerModeDanceValues), std::string::npos) << push.output;
    ASSERT_TRUE(std::filesystem::exists(memory));
    std::ifstream traced(trace);
    const std::string traceText((std::istreambuf_iterator<char>(traced)), {});
    EXPECT_NE(traceText.find("WriteBlock"), std::string::npos);
    EXPECT_NE(traceText.find("ReadBlockBack"), std::string::npos);

    ASSERT_EQ(RunCli("pull --simulator-memory " + memory + " -o " + pulled).exitCode, 0);
    ParamStore back;
    ASSERT_TRUE(LoadConfigurationFile(pulled, back).ok);
    const auto differences = DiffImages(Tuning(), back, {.modes = {0}});
    for (const ParamDifference& d : differences)
        EXPECT_TRUE(IsSkippedKind(d.kind()) || d.address == 0xA20) << FormatDifferences({d});

    const CliRun recalled = RunCli("push " + file + " --preset 4 --simulator-memory " + memory);
    EXPECT_EQ(recalled.exitCode, 0) << recalled.output;
    EXPECT_NE(recalled.output.find("preset USER2 (4)"), std::string::npos) << recalled.output;
    EXPECT_EQ(RunCli("push " + file + " --preset 8 --simulator").exitCode, 2);
}

TEST_F(CliFixture, APushWhoseReadBackDiffersNamesTheDifferencesAndExitsOne)
{
    ManualScheduler clock;
    quorix::sim::VirtualProcessor processor;
    quorix::sim::SimUsbPort port(processor, clock);
    processor.loseNextBlockWrite(); // the music input's block
    const ParamStore tuning = Tuning();
    std::ostringstream out, err;
    const int exitCode = quorix::cli::PushConfiguration(port, clock, {tuning, {}, nullptr, 5000, true}, out, err);
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(out.str(), "[MusicInput]\nMusicInput singing 0x02 EQ3 gain: -3.5dB -> 10.0dB\n");
    EXPECT_NE(err.str().find("the processor holds 1 value(s) other than the file's"), std::string::npos) << err.str();
}

TEST_F(CliFixture, ListShowsEachProcessorAndDeviceChoosesOne)
{
    const CliRun list = RunCli("list --simulator");
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_EQ(list.output, "path=sim:quorix-processor serial=- variant=1 open=yes\n");

    const std::string file = (dir / "p.quorix").string();
    EXPECT_EQ(RunCli("pull --simulator --device sim:quorix-processor -o " + file).exitCode, 0);
    const CliRun elsewhere = RunCli("pull --simulator --device /dev/hidraw9 --wait 1 -o " + file + "x");
    EXPECT_EQ(elsewhere.exitCode, 1);
    EXPECT_NE(elsewhere.output.find("no processor answered within 1 s"), std::string::npos) << elsewhere.output;
    EXPECT_EQ(RunCli("push " + file + " --simulator --device /dev/hidraw9 --wait 1").exitCode, 1);
    EXPECT_EQ(RunCli("push " + file + " --simulator --device sim:quorix-processor").exitCode, 0);
}
