#include "core/address_map.h"
#include "core/common_addresses.h"
#include "core/manual_scheduler.h"
#include "core/param_editor.h"
#include "core/undo_history.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace quorix::core;

namespace {

struct RecordingWriter final : ParamWriter {
    std::vector<std::pair<int, int>> writes; // mode, address
    void queueWrite(int mode, int address) override { writes.emplace_back(mode, address); }
};

struct EditorFixture : ::testing::Test {
    ParamStore store;
    ParamStore image;
    ViewState view;
    ManualScheduler clock;
    UndoHistory undo{store, view, clock};
    RecordingWriter writer;
    ParamEditor editor{store, view, writer, &undo};

    void SetUp() override { InitParamStore(store, image); }
};

using Writes = std::vector<std::pair<int, int>>;

} // namespace

// Which records an edit changes and which writes it queues, by the kind of parameter and the mode on show.
TEST_F(EditorFixture, ModeRuleMirrorAndWrites)
{
    constexpr int kMainMusicLevel = 1024;            // per mode
    constexpr int kMainLeftLevel = 1024 + 4;         // shared
    constexpr int kLateReflectionDelay = 768 + 0x13; // shared, in a secondary window
    constexpr int kRecordingLevel = 2048 + 7;        // global
    struct Case {
        int address;
        int mode;
        bool changesMode0;
        bool changesMode1;
        Writes writes;
    };
    const Case cases[] = {
        {kMainMusicLevel, 0, true, false, {{0, kMainMusicLevel}}},
        {kMainMusicLevel, 1, false, true, {{1, kMainMusicLevel}}},
        {kMainLeftLevel, 0, true, true, {{0, kMainLeftLevel}, {1, kMainLeftLevel}}},
        {kLateReflectionDelay, 1, true, true, {{0, kLateReflectionDelay}, {1, kLateReflectionDelay}}},
        {kRecordingLevel, 1, true, false, {{0, kRecordingLevel}}},
        {kModeAddress, 1, true, false, {{0, kModeAddress}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "address " << c.address << " mode " << c.mode);
        InitParamStore(store, image);
        writer.writes.clear();
        view.currentMode = static_cast<std::uint8_t>(c.mode);
        editor.setValue(c.address, 77);
        EXPECT_EQ(store.at(0, c.address).value == 77, c.changesMode0);
        EXPECT_EQ(store.at(1, c.address).value == 77, c.changesMode1);
        EXPECT_EQ(writer.writes, c.writes);
    }
}

TEST_F(EditorFixture, UndoStepsOnlyBelowTheGlobalKinds)
{
    editor.setValue(kMasterLevels, 30, ParamEditor::UndoStep::Burst);
    EXPECT_EQ(undo.undoPos(), -1);
    editor.setValue(3, 30, ParamEditor::UndoStep::Snapshot);
    editor.setValue(4, 30, ParamEditor::UndoStep::Snapshot);
    EXPECT_EQ(undo.undoPos(), 1);
    editor.setValue(5, 30, ParamEditor::UndoStep::Burst);
    editor.setValue(5, 31, ParamEditor::UndoStep::Burst);
    EXPECT_EQ(undo.undoPos(), 2);
    editor.setValue(6, 30);
    EXPECT_EQ(undo.undoPos(), 2);
}

TEST_F(EditorFixture, ApplyChangesTheStoreAndWritesNothing)
{
    editor.apply(768 + 0x14, [](ParamRecord& r) { r.value = 600; });
    EXPECT_EQ(store.at(0, 768 + 0x14).value, 600);
    EXPECT_EQ(store.at(1, 768 + 0x14).value, 600);
    EXPECT_TRUE(writer.writes.empty());
    editor.writeMode(1, 3);
    EXPECT_EQ(writer.writes, (Writes{{1, 3}}));
}

TEST_F(EditorFixture, BadAddressesFailLoudlyAndWriteNothing)
{
    EXPECT_THROW(editor.setValue(kAddressCount, 1), std::out_of_range);
    EXPECT_THROW(editor.setValue(-1, 1), std::out_of_range);
    EXPECT_TRUE(writer.writes.empty());
}

// Views hear of every copy changed, a shared parameter's in both modes, until they leave.
TEST_F(EditorFixture, ListenersHearEachCopyChanged)
{
    constexpr int kMainMusicLevel = 1024;    // per mode
    constexpr int kMainLeftLevel = 1024 + 4; // shared
    Writes heard;                            // address, mode
    const int id = editor.addListener([&heard](int address, int mode) { heard.emplace_back(address, mode); });
    view.currentMode = 1;
    editor.setValue(kMainMusicLevel, 50);
    editor.setValue(kMainLeftLevel, 50);
    editor.setValue(kMasterLevels, 50);
    EXPECT_EQ(heard, (Writes{{kMainMusicLevel, 1}, {kMainLeftLevel, 1}, {kMainLeftLevel, 0}, {kMasterLevels, 0}}));

    heard.clear();
    ParamRecord held = store.at(0, kMainLeftLevel);
    held.value = 12;
    writer.writes.clear();
    editor.takeFromProcessor(0, kMainLeftLevel, held);
    EXPECT_EQ(store.at(1, kMainLeftLevel).value, 12) << "a shared value taken in both modes";
    EXPECT_TRUE(writer.writes.empty()) << "what the processor holds is not written back";
    EXPECT_EQ(heard, (Writes{{kMainLeftLevel, 0}, {kMainLeftLevel, 1}}));

    editor.removeListener(id);
    editor.setValue(kMainMusicLevel, 51);
    EXPECT_EQ(heard.size(), 2u);
}

// A step begun by its caller (the graph's drag, the comparison's take) records whatever it touches.
TEST_F(EditorFixture, AStepBegunByTheCallerIsOneUndoStep)
{
    constexpr int kMainMusicLevel = 1024;
    constexpr int kMainMicLevel = 1025;
    editor.beginStep(ParamEditor::UndoStep::Burst);
    editor.setValue(kMainMusicLevel, 30);
    editor.beginStep(ParamEditor::UndoStep::Burst);
    editor.setValue(kMainMusicLevel, 31);
    EXPECT_EQ(undo.undoPos(), 0) << "a drag is one step";
    clock.advance(UndoHistory::kBurstMs + 1);
    editor.beginStep(ParamEditor::UndoStep::Snapshot);
    editor.setValue(kMainMicLevel, 30);
    EXPECT_EQ(undo.undoPos(), 1);
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(store.at(0, kMainMicLevel).value, DefaultParamStore().at(0, kMainMicLevel).value);
    EXPECT_EQ(store.at(0, kMainMusicLevel).value, 31);
}
