#include "console_fixture.h"

#include "ui/graph_actions.h"
#include "ui/graph_menu.h"

#include "graph/curve_points.h"
#include "graph/response_csv.h"
#include "graph/response_plot.h"

#include "core/value_tables.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

using namespace quorix;

namespace {

struct GraphMenu : ::testing::Test, ConsoleFixture {
    QTemporaryDir dir;
    void SetUp() override { load(); }

    std::filesystem::path file(const char* name, const std::string& text = {})
    {
        std::filesystem::path path = dir.filePath(name).toStdString();
        if (!text.empty())
            std::ofstream(path) << text;
        return path;
    }
    void choose(const QString& text, const std::filesystem::path& answer)
    {
        prompter.files = {answer};
        const auto menu = ui::CreateGraphMenu(frm().graphActions(), &frm());
        for (QAction* action : menu->actions())
            if (action->text() == text) {
                action->trigger();
                return;
            }
        ADD_FAILURE() << "no menu item " << text.toStdString();
    }
    std::vector<int> bands()
    {
        std::vector<int> addresses;
        for (const auto& p : graph::BuildCurvePoints(session.store(), session.view(), [](int) { return -1; }).points)
            if (p.type == graph::EqBandPoint)
                addresses.push_back(p.address);
        return addresses;
    }
};

TEST_F(GraphMenu, ImportedFiltersReachTheProcessorQuantisedAsOneUndoStep)
{
    connect();
    const std::vector<int> addresses = bands();
    ASSERT_GE(addresses.size(), 3u);
    const int before = session.store().at(0, addresses[0]).band.gain;
    choose("导入滤波器…", file("f.txt", "Filter 1: ON PK Fc 1003 Hz Gain -4,46 dB Q 3.3\n"
                                        "Filter 2: ON LS 6 dB Fc 61 Hz Gain 5 dB\n"));
    clock.advance(2000);
    const auto first = processor().band(0, addresses[0]);
    EXPECT_EQ(first.shape, 1);
    EXPECT_EQ(core::FrequencyAt(first.frequency), 61.3f);
    EXPECT_EQ(first.gain, 300);
    EXPECT_EQ(core::QAt(first.slope), 0.5f);
    const auto second = processor().band(0, addresses[1]);
    EXPECT_EQ(second.shape, 0);
    EXPECT_EQ(core::FrequencyAt(second.frequency), 1000.0f);
    EXPECT_EQ(second.gain, 205);
    EXPECT_EQ(core::QAt(second.q), 3.4f);
    EXPECT_EQ(processor().band(0, addresses.back()).gain, 250);
    ASSERT_FALSE(prompter.messages.empty());
    EXPECT_NE(prompter.messages.back().find("最大偏差"), std::string::npos) << prompter.messages.back();
    EXPECT_FALSE(std::regex_search(prompter.messages.back(), std::regex("[A-Za-z]{4,}"))) << "no English words";

    EXPECT_TRUE(frm().edits().undo());
    EXPECT_EQ(session.store().at(0, addresses[0]).band.gain, before);
}

TEST_F(GraphMenu, ARefusedFilterFileChangesNothing)
{
    const core::ParamStore before = session.store();
    const int undoPos = frm().history().undoPos();
    EXPECT_FALSE(frm().graphActions().importFilters(
        file("bad.txt", "Filter 1: ON PK Fc 100 Hz Gain 1 dB Q 1\nFilter 2: ON PK\n")));
    EXPECT_EQ(prompter.messages.back(), "第 2 行：缺少 Fc\n没有导入任何滤波器。");
    EXPECT_EQ(session.store(), before);
    EXPECT_EQ(frm().history().undoPos(), undoPos);
}

TEST_F(GraphMenu, SavesThePictureAtTwiceTheResolutionAndTheCurvesAsTheCliDoes)
{
    const auto png = file("g.png");
    choose("保存图片…", png);
    const QImage picture(QString::fromStdString(png.string()));
    const qreal ratio = frm().plot().devicePixelRatioF();
    EXPECT_EQ(picture.size(), frm().plot().size() * ratio * 2);

    const auto csv = file("g.csv");
    choose("导出曲线…", csv);
    std::ifstream in(csv);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), graph::ResponseCsv(session.store(), session.view(), frm().plot().width()));
}

TEST_F(GraphMenu, ASavedFileGetsTheFiltersExtensionWhenItsNameHasNone)
{
    const struct {
        const char* item;
        const char* chosen;
        const char* written;
    } cases[] = {
        {"保存图片…", "graph1", "graph1.png"}, {"导出曲线…", "curves", "curves.csv"},
        {"打印报告…", "room 3", "room 3.pdf"}, {"保存图片…", "kept.PNG", "kept.PNG"},
        {"导出曲线…", "v1.2", "v1.2"}, // a name with a dot already has an extension
    };
    for (const auto& c : cases) {
        choose(QString::fromUtf8(c.item), file(c.chosen));
        EXPECT_TRUE(std::filesystem::exists(file(c.written))) << c.chosen;
    }
    EXPECT_FALSE(std::filesystem::exists(file("graph1")));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(GraphMenu, PrintsTheReportWithTheCoverAndEveryChannelPage)
{
    const auto pdf = file("r.pdf");
    choose("打印报告…", pdf);
    std::ifstream in(pdf, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    const std::regex page("/Type /Page[^s]");
    EXPECT_EQ(std::distance(std::sregex_iterator(text.begin(), text.end(), page), std::sregex_iterator()), 9);
}

} // namespace
