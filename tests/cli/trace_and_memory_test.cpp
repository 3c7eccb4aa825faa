#include "cli_fixture.h"

#include "core/address_map.h"
#include "core/config_file.h"
#include "core/valid_utf8.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

using namespace quorix;
namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// A pull that hangs on a pipe would stop the whole test run: it gets half a minute.
constexpr const char* kLimit = "timeout 30 ";

} // namespace

TEST_F(CliFixture, ATraceNamingTheCommandsOwnFileIsRefusedAndTheFileKept)
{
    const fs::path room = dir / "room.quorix";
    ASSERT_TRUE(core::SaveConfigurationFile(room, core::DefaultParamStore()).ok);
    const fs::path memory = dir / "memory.qxvp";
    ASSERT_EQ(RunCli("pull --simulator-memory " + memory.string() + " -o " + (dir / "first").string()).exitCode, 0);
    const std::string roomBytes = Read(room);
    const std::string memoryBytes = Read(memory);
    const std::string r = room.string();
    const struct {
        std::string arguments;
        const char* named;
    } cases[] = {
        {"push " + r + " --simulator --trace " + r, "input file"},
        {"push " + r + " --simulator --trace " + (dir / "." / "room.quorix").string(), "input file"},
        {"pull --simulator -o " + r + " --trace " + r, "output file"},
        {"pull --simulator -o " + (dir / "room").string() + " --trace " + r, "output file"}, // .quorix is added
        {"pull --simulator-memory " + memory.string() + " -o " + (dir / "new").string() + " --trace " + memory.string(),
         "memory"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments << "\n" << run.output;
        EXPECT_TRUE(Contains(run.output, c.named)) << run.output;
        EXPECT_EQ(Read(room), roomBytes) << c.arguments;
        EXPECT_EQ(Read(memory), memoryBytes) << c.arguments;
    }
    EXPECT_FALSE(fs::exists(dir / "new.quorix"));
}

TEST_F(CliFixture, TheTraceIsOpenedAsEveryOutputAndAFailedWriteFailsTheCommand)
{
    const fs::path room = dir / "room.quorix";
    ASSERT_TRUE(core::SaveConfigurationFile(room, core::DefaultParamStore()).ok);
    const fs::path readOnly = dir / "old.txt";
    std::ofstream(readOnly) << "kept";
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const fs::path output = dir / "out.quorix";

    const CliRun refused = RunCli("pull --simulator --trace " + readOnly.string() + " -o " + output.string());
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(Contains(refused.output, readOnly.string())) << refused.output;
    EXPECT_EQ(Read(readOnly), "kept");
    EXPECT_FALSE(fs::exists(output));

    // A full device: the pull writes no file, the push has written but says the trace is cut.
    for (const std::string& command :
         {"pull --simulator -o " + output.string(), "push " + room.string() + " --simulator"}) {
        const CliRun full = RunCli(command + " --trace /dev/full");
        EXPECT_EQ(full.exitCode, 1) << command;
        EXPECT_TRUE(Contains(full.output, "the trace /dev/full could not be written whole")) << full.output;
        EXPECT_FALSE(fs::exists(output)) << command;
    }
}

// Only a memory file that does not exist yet, in a folder that does, starts a
// fresh virtual processor; whatever else keeps it from being read refuses the
// command before anything (the output, the trace) is written.
TEST_F(CliFixture, AMemoryFileThatCannotBeReadRefusesThePullBeforeItWritesAnything)
{
    fs::create_directories(dir / "folder");
    std::ofstream(dir / "plain") << "x";
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    fs::create_symlink("loop", dir / "loop");
    const fs::path trace = dir / "trace.txt";
    const fs::path output = dir / "out.quorix";
    for (const fs::path& memory :
         {dir / "pipe", dir / "folder", dir / "plain" / "memory", dir / "loop", dir / "nowhere" / "memory"}) {
        const CliRun run = RunCli("pull --simulator-memory " + memory.string() + " --trace " + trace.string() + " -o " +
                                      output.string(),
                                  kLimit);
        EXPECT_EQ(run.exitCode, 1) << memory << "\n" << run.output;
        EXPECT_TRUE(Contains(run.output, memory.string())) << run.output;
        EXPECT_FALSE(fs::exists(output)) << memory;
        EXPECT_FALSE(fs::exists(trace)) << memory;
    }
    // A push to a pipe neither hangs nor writes its memory there.
    const fs::path room = dir / "room.quorix";
    ASSERT_TRUE(core::SaveConfigurationFile(room, core::DefaultParamStore()).ok);
    EXPECT_EQ(RunCli("push " + room.string() + " --simulator-memory " + (dir / "pipe").string(), kLimit).exitCode, 1);
}

TEST_F(CliFixture, AMemoryFileInAFolderThisUserMayNotSearchIsNoFreshStart)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root searches every folder; the refusal itself is covered by the other unreadable files";
    const fs::path locked = dir / "locked";
    fs::create_directories(locked);
    fs::permissions(locked, fs::perms::none);
    const fs::path output = dir / "out.quorix";
    const CliRun run = RunCli("pull --simulator-memory " + (locked / "memory").string() + " -o " + output.string());
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_TRUE(Contains(run.output, "ermission")) << run.output;
    EXPECT_FALSE(fs::exists(output));
}

TEST_F(CliFixture, EveryMessageIsUtf8WhateverTheInputHeld)
{
    const fs::path json = dir / "bad.json";
    std::ofstream(json) << "{\"format\": \"quorix-\xff\xfe configuration\"}";
    const fs::path filters = dir / "filters.txt";
    std::ofstream(filters) << "Filter 1: ON \xE4\xB8 Fc 80 Hz Gain 1 dB Q 1\n";
    const fs::path room = dir / "room.quorix";
    ASSERT_TRUE(core::SaveConfigurationFile(room, core::DefaultParamStore()).ok);
    for (const std::string& arguments :
         {"import " + json.string() + " -o " + (dir / "x").string(),
          "import-filters " + room.string() + " " + filters.string() + " --kind 0 -o " + (dir / "y").string(),
          "info '" + (dir / "\xC0\xAF.quorix").string() + "'", std::string("'--\xff'")}) {
        const CliRun run = RunCli(arguments);
        EXPECT_NE(run.exitCode, 0) << arguments;
        EXPECT_EQ(core::ValidUtf8(run.output), run.output) << arguments;
        EXPECT_TRUE(Contains(run.output, "\xEF\xBF\xBD")) << run.output;
    }
}
