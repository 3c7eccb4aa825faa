#include "cli/commands.h"

#include "core/address_map.h"
#include "core/config_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace quorix;

namespace {

std::string Read(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The PDF's text through poppler's pdftotext, empty when it is not installed.
std::string ExtractText(const fs::path& pdf)
{
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
        return {};
    const fs::path text = pdf.string() + ".txt";
    if (std::system(("pdftotext '" + pdf.string() + "' '" + text.string() + "'").c_str()) != 0)
        return {};
    return Read(text);
}

TEST(ReportCommand, WritesACoverAndOnePagePerChannelPageWithTheParameterNames)
{
    const fs::path dir = fs::temp_directory_path() / ("quorix-report-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path in = dir / "venue.quorix";
    const fs::path pdf = dir / "venue.pdf";
    core::ParamStore store = core::DefaultParamStore();
    store.at(1, 1032).band.Gain = 333; // the main output's first band, in the dance mode
    ASSERT_TRUE(core::SaveConfigurationFile(in, store).ok);

    cli::CliArgs args;
    args.command = "report";
    args.positional = {in.string()};
    args.options = {{"-o", pdf.string()}, {"--note", "三号包厢"}};
    ASSERT_EQ(cli::CommandReport(args), 0);

    const std::string bytes = Read(pdf);
    ASSERT_EQ(bytes.rfind("%PDF", 0), 0u);
    const std::regex page("/Type /Page[^s]");
    EXPECT_EQ(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()), 9);

    const std::string text = ExtractText(pdf);
    if (!text.empty()) {
        const std::string dance = "Hz 8.3 dB"; // only the changed dance-mode band has it
        for (const std::string& expected : {std::string("venue.quorix"), std::string("三号包厢"), std::string("音乐"),
                                            std::string("超低输出"), std::string("EQ15"), dance})
            EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
    fs::remove_all(dir);
}

} // namespace
