#include "cli_fixture.h"

#include "cli/pull_session.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "link/block_layout.h"
#include "link/frame.h"

#include "core/address_map.h"
#include "core/config_file.h"
#include "core/manual_scheduler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

using namespace quorix::core;
namespace fs = std::filesystem;

TEST_F(CliFixture, NewWritesTheDefaultImageAndInfoSummarisesIt)
{
    const fs::path file = dir / "d.quorix";
    ASSERT_EQ(RunCli("new -o " + file.string()).exitCode, 0);
    ParamStore image;
    ASSERT_TRUE(LoadConfigurationFile(file, image).ok);
    EXPECT_EQ(image, DefaultParamStore());

    const CliRun info = RunCli("info " + file.string());
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_NE(info.output.find("MusicInput"), std::string::npos);
    EXPECT_NE(info.output.find("Common"), std::string::npos);
}

TEST_F(CliFixture, InfoRefusesATruncatedOrMissingFile)
{
    const fs::path file = dir / "t.quorix";
    ASSERT_EQ(RunCli("new -o " + file.string()).exitCode, 0);
    fs::resize_file(file, 1000);
    const CliRun truncated = RunCli("info " + file.string());
    EXPECT_EQ(truncated.exitCode, 1);
    EXPECT_NE(truncated.output.find("1000"), std::string::npos);
    EXPECT_EQ(RunCli("info " + (dir / "none.quorix").string()).exitCode, 1);
}

// Runs the executable: with --simulator the exchange runs in virtual time and opens no device.
TEST_F(CliFixture, PullFromTheVirtualProcessorWritesItsMemoryAndTracesEveryFrame)
{
    const fs::path file = dir / "p.quorix";
    const fs::path tracePath = dir / "t.txt";
    const CliRun pull = RunCli("pull --simulator --trace " + tracePath.string() + " -o " + file.string());
    ASSERT_EQ(pull.exitCode, 0) << pull.output;
    EXPECT_NE(pull.output.find("pulled preset KTV (0)"), std::string::npos);

    ParamStore image;
    ASSERT_TRUE(LoadConfigurationFile(file, image).ok);
    const quorix::sim::VirtualProcessor processor;
    for (int kind : {0, 1, 3, 4, 7, 8, 10})
        for (int a = KindFirst(kind); a <= KindLast(kind); ++a) {
            if (a != 0xA20) {
                EXPECT_EQ(image.at(0, a), processor.working().at(0, a)) << a;
            }
        }
    EXPECT_EQ(image.at(0, 0xA20).value, 1);

    std::ifstream trace(tracePath);
    std::string line;
    int frames = 0;
    while (std::getline(trace, line)) {
        std::istringstream words(line);
        std::string time, direction, name, hex;
        words >> time >> direction >> name;
        std::vector<std::uint8_t> bytes;
        while (words >> hex)
            bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex, nullptr, 16)));
        if (bytes.size() < 2)
            continue; // keep-alive and tone bytes
        ++frames;
        EXPECT_EQ(bytes.front(), 0xFE) << line;
        EXPECT_EQ(quorix::link::FrameChecksum(std::span(bytes).first(bytes.size() - 1)), bytes.back()) << line;
        for (std::size_t i = 1; i < bytes.size(); ++i)
            EXPECT_LT(bytes[i], 0xFD) << line;
    }
    // The handshake and its reply; the status, both sets of five kinds, two global kinds and the end, with their
    // replies.
    EXPECT_EQ(frames, 2 + 2 * 14);
}

TEST_F(CliFixture, PullWithoutAProcessorWritesNothing)
{
    // The virtual processor's port with nothing plugged in, in virtual time.
    ManualScheduler clock;
    quorix::sim::VirtualProcessor processor;
    quorix::sim::SimUsbPort port(processor, clock);
    port.unplug();
    const fs::path file = dir / "none.quorix";
    std::ostringstream out;
    std::ostringstream err;
    const int exitCode = quorix::cli::PullConfiguration(port, clock, {file, nullptr, 1000, false}, out, err);
    EXPECT_EQ(exitCode, 1);
    EXPECT_NE(err.str().find("no processor answered within 1 s"), std::string::npos) << err.str();
    EXPECT_GT(clock.nowMs(), 1000);
    EXPECT_LT(clock.nowMs(), 1200);
    EXPECT_EQ(processor.requestsReceived(), 0);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(fs::directory_iterator(dir), fs::directory_iterator{});
}

// The safe save reports its reasons as data; the command line words them in English.
TEST_F(CliFixture, ASaveThatFailsSaysWhyInEnglish)
{
    const fs::path file = dir / "a.quorix";
    ASSERT_EQ(RunCli("new -o " + file.string()).exitCode, 0);
    const fs::path locked = dir / "locked.json";
    std::ofstream(locked) << "{}";
    fs::permissions(locked, fs::perms::owner_read);
    const struct {
        std::string arguments;
        std::string reason;
    } cases[] = {
        {"export " + file.string() + " -o " + locked.string(), "read-only, or not writable by this user"},
        {"export " + file.string() + " -o " + (dir / "no" / "x.json").string(), "No such file or directory"},
        {"report " + file.string() + " -o " + dir.string(), "not a regular file"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, 1) << c.arguments;
        EXPECT_NE(run.output.find(c.reason), std::string::npos) << run.output;
        EXPECT_TRUE(std::none_of(run.output.begin(), run.output.end(),
                                 [](char c) { return static_cast<unsigned char>(c) >= 0xE0; }))
            << "no Chinese: " << run.output;
    }
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(CliFixture, ArgumentErrorsNameTheOptionAndItsRange)
{
    const fs::path file = dir / "a.quorix";
    ASSERT_EQ(RunCli("new -o " + file.string()).exitCode, 0);
    const std::string f = file.string();
    const struct {
        std::string arguments;
        const char* message;
    } cases[] = {
        {"response " + f + " --kind 1e10", "--kind must be 0 to 7"},
        {"response " + f + " --kind 3.0", "--kind must be 0 to 7"},
        {"response " + f + " --kind 8", "--kind must be 0 to 7"},
        {"response " + f + " --kind 99999999999999999999", "--kind must be 0 to 7"},
        {"response " + f, "--kind must be 0 to 7 and is required"},
        {"response " + f + " --kind 1 --width 1e30", "--width must be 46 to 20000"},
        {"response " + f + " --kind 1 --width 10", "--width must be 46 to 20000"},
        {"response " + f + " --kind 1 --mode +1", "--mode must be 0 to 1"},
        {"response " + f + " --kind 3 --third \"\"", "--third must be 0 to 2"},
        {"pull --simulator --wait 1.5 -o " + f, "--wait must be 0 to 3600"},
        {"pull --simulator", "-o FILE.quorix is needed"},
        {"info " + f + " --verbose", "unknown option --verbose"},
        {"frobnicate", "unknown command frobnicate"},
        {"info", "usage: quorix-cli info"},
        {"new -o", "new: -o needs a value"},
        {"new -o \"\"", "new: -o needs a value"},
        {"export " + f + " -o \"\"", "export: -o needs a value"},
        {"import a.json -o", "import: -o needs a value"},
        {"report " + f + " -o \"\"", "report: -o needs a value"},
        {"pull --simulator -o \"\"", "pull: -o needs a value"},
        {"pull --simulator --trace \"\" -o " + f, "pull: --trace needs a value"},
        {"new -o " + f + " -o " + f, "new: -o is given twice"},
        {"pull --simulator --simulator -o " + f, "pull: --simulator is given twice"},
        {"info " + f + " " + f, "info: unexpected argument /"},
        {"new -o " + f + " extra", "new: unexpected argument extra"},
        {"diff " + f + " " + f + " third", "diff: unexpected argument third"},
        {"info " + f + " --kind 3", "info: --kind does not apply to info"},
        {"new --json -o " + f, "new: --json does not apply to new"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << c.arguments << "\n" << run.output;
    }
    const CliRun help = RunCli("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("Exit status: 0 success; 1 failure"), std::string::npos) << help.output;
    EXPECT_NE(help.output.find("2 usage error"), std::string::npos);
}

TEST_F(CliFixture, EveryCommandRefusesAFileWithoutBandsOrFilters)
{
    // 252 000 bytes of 0x00 or of 0xFF: the right size, but no record the console could have written.
    for (const char fill : {'\x00', '\xFF'}) {
        const fs::path file = dir / "blank.quorix";
        std::ofstream(file, std::ios::binary) << std::string(kConfigFileSize, fill);
        for (const std::string& command : {"info " + file.string(), "response " + file.string() + " --kind 0"}) {
            const CliRun run = RunCli(command);
            EXPECT_EQ(run.exitCode, 1) << command << "\n" << run.output;
            EXPECT_NE(run.output.find(": record 0 (offset 0, address 0x000, mode 0) is not one the console writes: "),
                      std::string::npos)
                << run.output;
            EXPECT_TRUE(std::all_of(run.output.begin(), run.output.end(), [](char ch) { return ch > 0; }))
                << "English only: " << run.output;
        }
    }
}

// A file whose pages hold no band or filter: drawn flat or refused on load, never a crash.
TEST_F(CliFixture, ResponseOfAFileWithoutPointsEndsCleanly)
{
    for (char fill : {'\x00', '\xFF'}) {
        const fs::path file = dir / "empty.quorix";
        std::ofstream(file, std::ios::binary) << std::string(252000, fill);
        for (int kind = 0; kind <= 7; ++kind) {
            const CliRun run = RunCli("response " + file.string() + " --kind " + std::to_string(kind));
            EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << int(fill) << " kind " << kind << ": " << run.output;
        }
    }
}

TEST_F(CliFixture, ResponsePrintsEveryGraphPointOfThePage)
{
    const fs::path file = dir / "r.quorix";
    ASSERT_EQ(RunCli("new -o " + file.string()).exitCode, 0);
    const CliRun music = RunCli("response " + file.string() + " --kind 0 --width 845");
    ASSERT_EQ(music.exitCode, 0) << music.output;
    std::istringstream lines(music.output);
    std::string header;
    std::getline(lines, header);
    EXPECT_EQ(header.substr(0, 21), "frequency_hz,EQ1,EQ2,");
    EXPECT_NE(header.find(",EQ15,HighPass,total_db"), std::string::npos);
    int rows = 0;
    std::string line;
    std::string first;
    while (std::getline(lines, line)) {
        if (rows == 0)
            first = line;
        ++rows;
    }
    EXPECT_EQ(rows, 800);
    EXPECT_EQ(first.substr(0, 10), "10.000000,");

    const CliRun dance = RunCli("response " + file.string() + " --kind 0 --mode 1 --width 100");
    std::istringstream danceLines(dance.output);
    std::getline(danceLines, line);
    std::getline(danceLines, line);
    EXPECT_NE(line.find(",0.0000"), std::string::npos); // the dance mode's music EQ is flat

    EXPECT_EQ(RunCli("response " + (dir / "missing.quorix").string() + " --kind 1").exitCode, 1);
}
