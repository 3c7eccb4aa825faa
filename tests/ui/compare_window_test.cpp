#include "console_fixture.h"

#include "ui/compare_window.h"
#include "ui/console_frame.h"
#include "ui/sim_panel.h"

#include "sim/virtual_processor.h"

#include "controls/skinned_progress_bar.h"

#include <QAction>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace quorix;

namespace {

struct CompareFixture : ::testing::Test, ConsoleFixture {
    std::mt19937 random{13};

    void SetUp() override
    {
        load();
        connect();
    }
    // Behind the console's back: one band of the singing set and one dance-only value.
    std::pair<int, int> changeProcessor()
    {
        const int band = ui::ChangeRandomBand(processor(), random);
        processor().setValue(1, 1024, 37); // main output music level, dance set
        return {band, 1024};
    }
    bool screenMatchesProcessor()
    {
        ui::CompareWindow check(session, frm(), prompter);
        check.compare();
        return check.list().topLevelItemCount() == 0;
    }
};

} // namespace

TEST_F(CompareFixture, ReadsIntoAScratchImageAndListsEachDifferingField)
{
    const auto [band, level] = changeProcessor();
    const core::ParamStore before = session.store();
    const int preset = session.view().CurrentPreset;
    const int undoPosition = frm().undo().UndoPos();
    ui::CompareWindow compare(session, frm(), prompter);
    ASSERT_TRUE(compare.compare());
    EXPECT_EQ(session.store(), before);
    EXPECT_EQ(session.view().CurrentPreset, preset);
    EXPECT_EQ(frm().undo().UndoPos(), undoPosition);

    QStringList rows;
    for (int i = 0; i < compare.list().topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = compare.list().topLevelItem(i);
        rows << row->text(1) + " " + row->text(2) + " " + row->text(3);
    }
    const QString bandLabel = QString::fromStdString(core::ParamLabel(band));
    EXPECT_TRUE(rows.contains("演唱 " + bandLabel + " gain")) << rows.join("\n").toStdString();
    EXPECT_TRUE(rows.contains("劲舞 0x00 音乐音量 value")) << rows.join("\n").toStdString();
    EXPECT_EQ(compare.list().topLevelItem(static_cast<int>(rows.indexOf("劲舞 0x00 音乐音量 value")))->text(5), "37%");
}

TEST_F(CompareFixture, WritingTheScreenSendsOnlyTheDifferencesAndLeavesBothEqual)
{
    changeProcessor();
    const core::ParamStore before = session.store();
    ui::CompareWindow compare(session, frm(), prompter);
    ASSERT_TRUE(compare.compare());
    const int requests = processor().requestsReceived();
    compare.findChild<QPushButton*>("CompareWrite")->click();
    // Two parameters written, then the read-back: both sets of five kinds, two global kinds, the end.
    EXPECT_EQ(processor().requestsReceived() - requests, 2 + 13);
    EXPECT_EQ(compare.list().topLevelItemCount(), 0);
    EXPECT_EQ(session.store(), before);
    EXPECT_EQ(session.view().CurrentMode, 0);
    EXPECT_TRUE(screenMatchesProcessor());
    EXPECT_FALSE(frm().progressBar().isVisible());
    EXPECT_TRUE(frm().isEnabled());
}

TEST_F(CompareFixture, TakingTheProcessorsValuesIsOneUndoStep)
{
    const auto [band, level] = changeProcessor();
    const core::ParamStore before = session.store();
    ui::CompareWindow compare(session, frm(), prompter);
    ASSERT_TRUE(compare.compare());
    compare.findChild<QPushButton*>("CompareTake")->click();
    EXPECT_EQ(compare.list().topLevelItemCount(), 0);
    EXPECT_EQ(session.store().at(0, band).band.Gain, processor().band(0, band).gain);
    EXPECT_EQ(session.store().at(1, level).Value, 37);
    EXPECT_TRUE(screenMatchesProcessor());

    frm().modes().UndoClicked();
    EXPECT_EQ(session.store().at(0, band), before.at(0, band)); // the mode on screen comes back whole
    EXPECT_FALSE(frm().undo().canUndo());
}

TEST_F(CompareFixture, OfflineOrUnchangedItSaysSo)
{
    ui::ConsoleFrame frame(session, prompter);
    QAction* item = frame.action("CmdCompareDevice");
    ASSERT_NE(item, nullptr);
    item->trigger();
    EXPECT_EQ(prompter.count(ui::kNoDifferenceMessage), 1);

    session.link().OfflineModeChosen();
    ui::OpenCompareWindow(session, &frm(), prompter, &frame);
    EXPECT_EQ(prompter.count(ui::kDeviceOfflineMessage), 1);
    EXPECT_EQ(frame.findChild<ui::CompareWindow*>(), nullptr);
}
