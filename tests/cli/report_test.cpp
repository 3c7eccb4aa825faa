#include "cli_fixture.h"

#include "cli/commands.h"

#include "report/report_rows.h"
#include "tables/control_label.h"
#include "tables/tuning_window_table.h"

#include "graph/curve_points.h"

#include "core/address_map.h"
#include "core/config_file.h"
#include "core/value_text.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    store.at(1, 1032).band.gain = 333; // the main output's first band, in the dance mode
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

// Saved as configuration files are: through a link, never over a read-only file, nothing left beside it.
TEST(ReportCommand, IsSavedSafelyLikeAConfiguration)
{
    const fs::path dir = fs::temp_directory_path() / ("quorix-report-safe-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path in = dir / "venue.quorix";
    ASSERT_TRUE(core::SaveConfigurationFile(in, core::DefaultParamStore()).ok);
    std::ofstream(dir / "real.pdf") << "old";
    fs::create_symlink("real.pdf", dir / "link.pdf");
    std::ofstream(dir / "kept.pdf") << "kept";
    fs::permissions(dir / "kept.pdf", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    cli::CliArgs args;
    args.command = "report";
    args.positional = {in.string()};
    args.options = {{"-o", (dir / "link.pdf").string()}};
    ASSERT_EQ(cli::CommandReport(args), 0);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / "link.pdf")));
    EXPECT_EQ(Read(dir / "real.pdf").rfind("%PDF", 0), 0u);

    args.options = {{"-o", (dir / "kept.pdf").string()}};
    EXPECT_EQ(cli::CommandReport(args), 1);
    EXPECT_EQ(Read(dir / "kept.pdf"), "kept");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}), 4);
    fs::remove_all(dir);
}

// A file system that fills up part-way: the file size limit fails the write as a full disk does.
TEST(ReportCommand, AFailedWriteIsReportedAndLeavesNothing)
{
    const fs::path dir = fs::temp_directory_path() / ("quorix-report-full-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path in = dir / "room.quorix", pdf = dir / "room.pdf";
    ASSERT_TRUE(core::SaveConfigurationFile(in, core::DefaultParamStore()).ok);
    const CliRun run = RunCli("report " + in.string() + " -o " + pdf.string(), "trap '' XFSZ; ulimit -f 16; ");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_EQ(run.output.find("wrote"), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(pdf));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}), 1);
    fs::remove_all(dir);
}

struct Word {
    int page;
    double x0, y0, x1, y1;
    std::string text;
};

// Every word of the PDF with its box, through poppler's pdftotext -bbox; empty when it is not installed.
std::vector<Word> Words(const fs::path& pdf)
{
    const fs::path html = pdf.string() + ".html";
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0 ||
        std::system(("pdftotext -bbox '" + pdf.string() + "' '" + html.string() + "'").c_str()) != 0)
        return {};
    std::vector<Word> words;
    std::istringstream lines(Read(html));
    const std::regex word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    int page = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.find("<page") != std::string::npos)
            ++page;
        std::smatch m;
        if (std::regex_search(line, m, word))
            words.push_back({page, std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), m[5]});
    }
    return words;
}

// The longest texts a row can hold, different in the two modes, on every page.
TEST(ReportCommand, NoTextRunsIntoAnother)
{
    const fs::path dir = fs::temp_directory_path() / ("quorix-report-long-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    core::ParamStore store = core::DefaultParamStore();
    for (int a = 0; a < core::kFirstGlobalAddress; ++a)
        for (int mode = 0; mode < 2; ++mode) {
            core::ParamRecord& r = store.at(mode, a);
            if (r.paramClass == core::ParamClass::EqBand) {
                r.band.shape = static_cast<std::uint8_t>(mode == 0 ? 0 : 1);
                r.band.freqIndex = 300 + mode;
                r.band.gain = 10 + mode;
                r.band.qIndex = 90;
                r.band.shelfQIndex = 28;
                r.band.bandOff = mode == 1;
            }
        }
    const fs::path in = dir / "long.quorix", pdf = dir / "long.pdf";
    ASSERT_TRUE(core::SaveConfigurationFile(in, store).ok);
    cli::CliArgs args;
    args.command = "report";
    args.positional = {in.string()};
    args.options = {{"-o", pdf.string()}};
    ASSERT_EQ(cli::CommandReport(args), 0);
    const std::vector<Word> words = Words(pdf);
    for (std::size_t i = 0; i < words.size(); ++i)
        for (std::size_t j = i + 1; j < words.size(); ++j) {
            const Word &a = words[i], &b = words[j];
            const bool overlap = a.page == b.page && std::min(a.x1, b.x1) - std::max(a.x0, b.x0) > 0.5 &&
                                 std::min(a.y1, b.y1) - std::max(a.y0, b.y0) > 0.5;
            EXPECT_FALSE(overlap) << "page " << a.page << ": \"" << a.text << "\" and \"" << b.text << "\"";
        }
    fs::remove_all(dir);
}

const report::ReportRow& Row(const std::vector<report::ReportRow>& rows, std::string_view name)
{
    const auto it = std::find_if(rows.begin(), rows.end(), [&](const report::ReportRow& r) { return r.name == name; });
    EXPECT_NE(it, rows.end()) << name;
    return it == rows.end() ? rows.front() : *it;
}

TEST(ReportRows, FilterTypesReadAsTheirDropDownsAndFrequenciesAsTheGraphDrawsThem)
{
    core::ParamStore store = core::DefaultParamStore();
    store.at(0, core::SubOutput * 256 + 9).value = 4;   // the subwoofer's low-pass type
    store.at(0, core::MainOutput * 256 + 6).value = 1;  // the main output's high-pass type
    store.at(0, core::SubOutput * 256 + 8).value = 300; // its high-pass frequency, beyond its slider
    const struct {
        int kind;
        const char* name;
        std::string text;
    } cases[] = {
        {core::SubOutput, "高通类型", "LinkWitz 48dB"},
        {core::SubOutput, "低通类型", "Bessel 12dB"},
        {core::MainOutput, "高通类型", "ButterWorth 24dB"},
        {core::SurroundOutput, "高通类型", "ButterWorth 12dB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Row(report::PageRows(store, c.kind), c.name).singing, c.text) << c.kind << " " << c.name;

    // The table prints the frequency the graph draws (and the processor is sent), and says when the slider stops short
    // of it.
    for (int kind = core::MainOutput; kind <= core::SubOutput; ++kind) {
        core::ViewState view;
        view.currentKind = kind;
        const auto rows = report::PageRows(store, kind);
        for (const graph::CurvePoint& p : graph::BuildCurvePoints(store, view, [](int) { return -1; }).points) {
            if (!p.isFilter())
                continue;
            const std::string& text = Row(rows, core::ParamName(kind, p.frequencyAddress() % 256)).singing;
            EXPECT_EQ(text.rfind(core::FrequencyText(p.band.freqIndex), 0), 0u) << kind << ": " << text;
        }
    }
    EXPECT_EQ(Row(report::PageRows(store, core::SubOutput), "低通频点").singing, "321 (超出滑块范围)");
}

TEST(ReportRows, EachParameterIsNamedAsTheWindowNamesItsControl)
{
    for (const tables::ControlRow& row : tables::TuningWindowTable())
        if (row.address != tables::kUnbound && row.thumbVisible && core::KindOfAddress(row.address) == row.page)
            Row(report::PageRows(core::DefaultParamStore(), row.page),
                tables::ControlLabel(row)); // fails when no row has that name
}

// With the processor record, a value never read from the processor is marked, in either mode.
TEST(ReportRows, ValuesNeverReadAreMarked)
{
    const core::ParamStore& store = core::DefaultParamStore();
    core::ProcessorRecord record;
    record.kindRead(0, core::MainOutput);
    const std::string name(core::ParamName(core::MainOutput, 0));
    const report::ReportRow row = Row(report::PageRows(store, core::MainOutput, &record), name.c_str());
    EXPECT_EQ(row.singing.find(report::kNeverReadMark), std::string::npos);
    EXPECT_EQ(row.dance, Row(report::PageRows(store, core::MainOutput), name.c_str()).singing +
                             std::string(report::kNeverReadMark))
        << "the dance copy was never read";
    EXPECT_TRUE(Row(report::PageRows(store, core::MainOutput), name.c_str()).dance.empty())
        << "without a record, no marks";
}

} // namespace
