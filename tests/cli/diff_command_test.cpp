#include "cli_fixture.h"

#include "core/address_map.h"
#include "core/config_file.h"

#include <gtest/gtest.h>

using namespace quorix::core;

TEST_F(CliFixture, DiffListsEachDifferingFieldAndExitsLikeDiff)
{
    const std::string a = (dir / "a.quorix").string();
    const std::string b = (dir / "b.quorix").string();
    ParamStore changed = DefaultParamStore();
    changed.at(0, 2).band.gain = 215;                   // singing music EQ3
    changed.at(1, MainOutput * 256 + 0x16).value = 120; // dance main left delay
    changed.at(0, kCommonBase + 0x1E).value = 1;
    changed.at(0, kCommonBase + 0x20).value = 1; // the rights a pull holds: compared only when asked
    ASSERT_TRUE(SaveConfigurationFile(a, DefaultParamStore()).ok);
    ASSERT_TRUE(SaveConfigurationFile(b, changed).ok);

    const CliRun same = RunCli("diff " + a + " " + a);
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_EQ(same.output, "");

    const CliRun all = RunCli("diff " + a + " " + b);
    EXPECT_EQ(all.exitCode, 1);
    EXPECT_EQ(all.output, "[MusicInput]\n"
                          "MusicInput singing 0x02 EQ3 gain: 10.0dB -> -3.5dB\n"
                          "[MainOutput]\n"
                          "MainOutput dance 0x16 左通道延时 value: 0.0ms -> 12.0ms\n"
                          "[Common]\n"
                          "Common singing 0x1E 演唱/劲舞 value: 0 -> 1\n");

    const CliRun dance = RunCli("diff " + a + " " + b + " --mode dance");
    EXPECT_EQ(dance.exitCode, 1);
    EXPECT_EQ(dance.output, "[MainOutput]\nMainOutput dance 0x16 左通道延时 value: 0.0ms -> 12.0ms\n");
    EXPECT_EQ(RunCli("diff " + a + " " + b + " --mode dance --kind 0").exitCode, 0);
    const CliRun common = RunCli("diff " + a + " " + b + " --mode all --kind 10");
    EXPECT_EQ(common.output, "[Common]\n"
                             "Common singing 0x1E 演唱/劲舞 value: 0 -> 1\n"
                             "Common singing 0x20 权限管理 value: 0 -> 1\n");
}

TEST_F(CliFixture, DiffUsageAndUnreadableFilesExitTwo)
{
    const std::string a = (dir / "a.quorix").string();
    ASSERT_TRUE(SaveConfigurationFile(a, DefaultParamStore()).ok);
    const struct {
        std::string arguments;
        const char* message;
    } cases[] = {
        {"diff " + a, "two configuration files are needed"},
        {"diff " + a + " " + a + " --mode both", "--mode must be singing, dance or all"},
        {"diff " + a + " " + a + " --kind 11", "--kind must be 0 to 10"},
        {"diff " + a + " " + (dir / "missing.quorix").string(), "missing.quorix"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << c.arguments << "\n" << run.output;
    }
}
