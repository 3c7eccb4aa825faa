#include "cli/commands.h"

#include "graph/curve_points.h"

#include "core/address_map.h"
#include "core/config_file.h"
#include "core/value_tables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace quorix;

namespace {

struct ImportFiltersCommand : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("quorix-import-" + std::to_string(::getpid()));
    fs::path in = dir / "in.quorix";
    fs::path out = dir / "out.quorix";
    fs::path filters = dir / "filters.txt";

    void SetUp() override
    {
        fs::create_directories(dir);
        ASSERT_TRUE(core::SaveConfigurationFile(in, core::DefaultParamStore()).ok);
    }
    void TearDown() override { fs::remove_all(dir); }

    int Run(const std::string& text, const std::string& mode = "dance")
    {
        std::ofstream(filters) << text;
        cli::CliArgs args;
        args.command = "import-filters";
        args.positional = {in.string(), filters.string()};
        args.options = {{"--kind", "4"}, {"--mode", mode}, {"-o", out.string()}};
        return cli::CommandImportFilters(args);
    }
};

TEST_F(ImportFiltersCommand, WritesTheQuantisedBandsIntoTheChosenMode)
{
    testing::internal::CaptureStdout();
    ASSERT_EQ(Run("Filter Settings file\nFilter 1: ON PK Fc 1003,5 Hz Gain -4,45 dB Q 3,3\n"), 0);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("line 2 PK 1003.5 Hz -4.45 dB Q 3.30 -> PK 1000 Hz -4.4 dB Q 3.40"), std::string::npos)
        << printed;
    core::ParamStore store;
    ASSERT_TRUE(core::LoadConfigurationFile(out, store).ok);
    core::ViewState view;
    view.currentKind = core::MainOutput;
    view.currentMode = 1;
    const auto first = graph::BuildCurvePoints(store, view, [](int) { return -1; }).points.front();
    EXPECT_EQ(core::FrequencyAt(first.band.freqIndex), 1000.0f);
    EXPECT_EQ(first.band.gain, 206); // -4.45 dB, half to even
    EXPECT_EQ(core::QAt(first.band.qIndex), 3.4f);
    EXPECT_EQ(first.band.shape, 0);
}

TEST_F(ImportFiltersCommand, RefusedInputWritesNothing)
{
    EXPECT_EQ(Run("Filter 1: ON PK Fc 100 Hz Gain 1 dB Q 1\nFilter 2: ON XX Fc 100 Hz\n"), 1);
    std::string many;
    for (int i = 1; i <= 40; ++i)
        many += "Filter " + std::to_string(i) + ": ON PK Fc " + std::to_string(50 * i) + " Hz Gain 1 dB Q 1\n";
    EXPECT_EQ(Run(many), 1);
    EXPECT_EQ(Run("Filter 1: ON PK Fc 100 Hz Gain 1 dB Q 1\n", "party"), 2);
    // A folder, a device or a pipe is refused before it is read: /dev/zero would never end.
    for (const std::string& path : {dir.string(), std::string("/dev/zero")}) {
        filters = path;
        cli::CliArgs args;
        args.command = "import-filters";
        args.positional = {in.string(), path};
        args.options = {{"--kind", "4"}, {"-o", out.string()}};
        EXPECT_EQ(cli::CommandImportFilters(args), 1) << path;
    }
    EXPECT_FALSE(fs::exists(out));
}

} // namespace
