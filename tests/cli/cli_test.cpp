#include "core/address_map.h"
#include "core/config_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

using namespace quorix::core;
namespace fs = std::filesystem;

namespace {

struct CliRun {
    int exitCode;
    std::string output;
};

CliRun RunCli(const std::string& arguments)
{
    const std::string command = std::string(QUORIX_CLI) + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

struct CliFixture : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("quorix-cli-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
};

} // namespace

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
    EXPECT_EQ(RunCli("info").exitCode, 2);
    EXPECT_EQ(RunCli("frobnicate").exitCode, 2);
}
