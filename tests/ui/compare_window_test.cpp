#include "console_fixture.h"

#include "presets/preset_texts.h"
#include "ui/compare_window.h"
#include "ui/console_frame.h"
#include "ui/sim_panel.h"

#include "sim/virtual_processor.h"

#include "controls/skinned_progress_bar.h"

#include "core/await_outcome.h"

#include "core/processor_record.h"
#include "core/tuning_document.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <map>

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
    // The window's comparison, once its read has ended: whether it has copies to show.
    bool compared(ui::CompareWindow& compare)
    {
        return core::AwaitOutcome<bool>(clock, [&](std::function<void(bool)> shown) { compare.compare(shown); });
    }
    bool screenMatchesProcessor()
    {
        ui::CompareWindow check(session, prompter);
        compared(check);
        return check.list().topLevelItemCount() == 0;
    }
    // The rows of a group as "mode parameter field", keyed to their items.
    static std::map<QString, QTreeWidgetItem*> rowsOf(const QTreeWidgetItem* group)
    {
        std::map<QString, QTreeWidgetItem*> rows;
        for (int i = 0; group && i < group->childCount(); ++i) {
            QTreeWidgetItem* row = group->child(i);
            rows[row->text(1) + " " + row->text(2) + " " + row->text(3)] = row;
        }
        return rows;
    }
};

using Group = presets::ComparedCopy::Group;

} // namespace

TEST_F(CompareFixture, ReadsIntoAScratchImageAndListsEachDifferingField)
{
    const auto [band, level] = changeProcessor();
    const core::ParamStore before = session.store();
    const int preset = session.view().currentPreset;
    const int undoPosition = frm().history().undoPos();
    ui::CompareWindow compare(session, prompter);
    ASSERT_TRUE(compared(compare));
    EXPECT_EQ(session.store(), before);
    EXPECT_EQ(session.view().currentPreset, preset);
    EXPECT_EQ(frm().history().undoPos(), undoPosition);

    EXPECT_EQ(compare.group(Group::NotReadBack), nullptr);
    const auto rows = rowsOf(compare.group(Group::ReadDifferent));
    const QString bandLabel = QString::fromStdString(core::ParamLabel(band));
    const auto bandRow = std::find_if(rows.begin(), rows.end(), [&](const auto& row) {
        return row.first.startsWith("演唱 " + bandLabel + " ") && row.first.contains("gain");
    });
    EXPECT_NE(bandRow, rows.end()) << "one row per copy, its fields together";
    ASSERT_TRUE(rows.contains("劲舞 0x00 音乐音量 value"));
    const QTreeWidgetItem* levelRow = rows.at("劲舞 0x00 音乐音量 value");
    EXPECT_EQ(levelRow->text(0), "主输出") << "the page by its screen name";
    EXPECT_EQ(levelRow->text(5), "37%");
    EXPECT_EQ(levelRow->checkState(0), Qt::Checked);
}

TEST_F(CompareFixture, WritingTheScreenSendsOnlyTheDifferencesAndLeavesBothEqual)
{
    changeProcessor();
    const core::ParamStore before = session.store();
    ui::CompareWindow compare(session, prompter);
    ASSERT_TRUE(compared(compare));
    const int requests = processor().requestsReceived();
    compare.findChild<QPushButton*>("CompareWrite")->click();
    EXPECT_FALSE(compare.isEnabled()) << "disabled while its read-back runs";
    settle();
    EXPECT_TRUE(compare.isEnabled());
    // Two copies written, then the read-back: both sets of five kinds, two global kinds, the end.
    EXPECT_EQ(processor().requestsReceived() - requests, 2 + 13);
    EXPECT_EQ(compare.summary().toStdString(), ui::kNoDifferenceMessage);
    EXPECT_EQ(compare.list().topLevelItemCount(), 0);
    EXPECT_EQ(session.store(), before);
    EXPECT_EQ(session.view().currentMode, 0);
    EXPECT_TRUE(screenMatchesProcessor());
    EXPECT_FALSE(frm().progressBar().isVisible());
    EXPECT_TRUE(frm().isEnabled());
}

TEST_F(CompareFixture, TakingTheProcessorsValuesIsOneUndoStep)
{
    const auto [band, level] = changeProcessor();
    const core::ParamStore before = session.store();
    ui::CompareWindow compare(session, prompter);
    ASSERT_TRUE(compared(compare));
    compare.findChild<QPushButton*>("CompareTake")->click();
    EXPECT_EQ(compare.list().topLevelItemCount(), 0);
    EXPECT_EQ(session.store().at(0, band).band.gain, processor().band(0, band).gain);
    EXPECT_EQ(session.store().at(1, level).value, 37);
    EXPECT_TRUE(screenMatchesProcessor());

    frm().modes().undoClicked();
    EXPECT_EQ(session.store().at(0, band), before.at(0, band)); // the mode on screen comes back whole
    EXPECT_FALSE(frm().history().canUndo());
}

TEST_F(CompareFixture, OfflineOrUnchangedItSaysSo)
{
    ui::ConsoleFrame frame(session, prompter);
    QAction* item = frame.action("CmdCompareDevice");
    ASSERT_NE(item, nullptr);
    item->trigger();
    settle();
    EXPECT_EQ(prompter.count(ui::kNoDifferenceMessage), 1);

    session.link().offlineModeChosen();
    ui::OpenCompareWindow(session, &frm(), prompter, &frame);
    EXPECT_EQ(prompter.count(presets::kOfflineRefusal), 1);
    EXPECT_EQ(frame.findChild<ui::CompareWindow*>(), nullptr);
}

// An offline edit of a page the protocol cannot read is its own group; a row left unticked is not written and stays
// marked.
TEST_F(CompareFixture, TwoGroupsChosenRowByRowAndByGroup)
{
    constexpr int kMic34Level = 2 * 256;
    processor().setValue(0, 1024, 37);
    session.link().offlineModeChosen();
    session.document().edits().setValue(kMic34Level, 77);
    session.link().onlineModeChosen();
    connect();
    auto* compare = frm().findChild<ui::CompareWindow*>();
    ASSERT_NE(compare, nullptr) << "the reconnection compares before reading over the offline edit";
    QTreeWidgetItem* unread = compare->group(Group::NotReadBack);
    ASSERT_NE(unread, nullptr);
    EXPECT_TRUE(unread->text(0).startsWith("未能从设备读回、已在界面修改的参数"));
    ASSERT_EQ(unread->childCount(), 2) << "a shared parameter: both copies";
    EXPECT_EQ(unread->child(0)->text(0), "话筒3");
    EXPECT_EQ(unread->child(0)->text(1), "演唱");

    QTreeWidgetItem* read = compare->group(Group::ReadDifferent);
    ASSERT_NE(read, nullptr);
    read->setCheckState(0, Qt::Unchecked); // the whole group
    EXPECT_EQ(read->child(0)->checkState(0), Qt::Unchecked);
    compare->findChild<QPushButton*>("CompareWrite")->click();
    settle();
    EXPECT_EQ(processor().value(0, kMic34Level), 77);
    EXPECT_EQ(processor().value(0, 1024), 37) << "the unticked row was not written";
    EXPECT_EQ(session.record().state(0, 1024), core::CopyState::EditedOffline);
    EXPECT_EQ(compare->group(Group::NotReadBack), nullptr);
    ASSERT_NE(compare->group(Group::ReadDifferent), nullptr) << "still different, listed again";

    QTest::keyClick(compare, Qt::Key_Escape);
    EXPECT_FALSE(compare->isVisible());
}

// After a write whose read-back fails, the window says so rather than "no difference".
TEST_F(CompareFixture, AReadBackThatFailsIsSaid)
{
    changeProcessor();
    ui::CompareWindow compare(session, prompter);
    ASSERT_TRUE(compared(compare));
    processor().resizeNextBlock(1);
    compare.findChild<QPushButton*>("CompareWrite")->click();
    settle();
    EXPECT_EQ(compare.summary().toStdString(), presets::kComparisonReadFailed);
    EXPECT_EQ(compare.list().topLevelItemCount(), 0);
}
