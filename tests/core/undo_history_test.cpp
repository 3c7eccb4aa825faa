#include "core/address_map.h"
#include "core/manual_scheduler.h"
#include "core/param_editor.h"
#include "core/undo_history.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

using namespace quorix::core;

namespace {

// A store, a view and a history on a virtual clock; `gain(n)` is the state Pn.
struct UndoFixture : ::testing::Test {
    ParamStore store;
    ParamStore image;
    ViewState view;
    ManualScheduler clock;
    UndoHistory history{store, view, clock};
    // Remembers the addresses of the writes the restores queue.
    struct Writer final : ParamWriter {
        std::vector<int> addresses;
        std::vector<std::pair<int, int>> writes; // mode, address
        std::function<void()> onWrite;
        void queueWrite(int mode, int address) override
        {
            addresses.push_back(address);
            writes.emplace_back(mode, address);
            if (onWrite)
                onWrite();
        }
    } writer;
    std::vector<int>& sent = writer.addresses;
    ParamEditor send{store, view, writer, &history};

    void SetUp() override { InitParamStore(store, image); }

    int gain() const { return store.at(view.currentMode, 3).band.gain; }
    // One change, a second after the previous one, as the slider handler makes it.
    void change(int newGain)
    {
        history.beginUndoStep();
        store.at(view.currentMode, 3).band.gain = newGain;
        clock.advance(1000);
    }
};

} // namespace

TEST_F(UndoFixture, WorkedSequence)
{
    change(1);
    EXPECT_EQ(history.undoPos(), 0);
    change(2);
    EXPECT_EQ(history.undoPos(), 1);

    EXPECT_TRUE(history.undo(send));
    EXPECT_EQ(gain(), 1);
    EXPECT_EQ(history.undoPos(), 0);
    EXPECT_TRUE(history.undo(send));
    EXPECT_EQ(gain(), 250);
    EXPECT_EQ(history.undoPos(), -1);
    EXPECT_FALSE(history.undo(send));

    EXPECT_TRUE(history.redo(send));
    EXPECT_EQ(gain(), 1);
    EXPECT_EQ(history.undoPos(), 0);
    EXPECT_TRUE(history.redo(send));
    EXPECT_EQ(gain(), 2);
    EXPECT_EQ(history.undoPos(), 1);
    EXPECT_EQ(history.redoLimit(), 2);
    EXPECT_FALSE(history.redo(send));
    EXPECT_EQ(gain(), 2);
}

TEST_F(UndoFixture, ANewChangeEndsTheRedoChain)
{
    change(1);
    change(2);
    history.undo(send);
    history.undo(send);
    change(3);
    EXPECT_FALSE(history.redo(send));
    EXPECT_EQ(gain(), 3);
    history.undo(send);
    EXPECT_EQ(gain(), 250);
    EXPECT_TRUE(history.redo(send));
    EXPECT_EQ(gain(), 3);
    EXPECT_FALSE(history.redo(send));
}

TEST_F(UndoFixture, AChangeRightAfterAnUndoIsAStepOfItsOwn)
{
    change(1);
    history.beginUndoStep();
    store.at(0, 3).band.gain = 2;
    history.undo(send); // within the burst of the change to 2
    EXPECT_EQ(gain(), 1);
    history.beginUndoStep();
    store.at(0, 3).band.gain = 5;
    EXPECT_FALSE(history.redo(send)); // the redo would have overwritten 5
    EXPECT_EQ(gain(), 5);
    history.undo(send);
    EXPECT_EQ(gain(), 1);
}

TEST_F(UndoFixture, ChangesLessThanASecondApartFormOneStep)
{
    for (int i = 0; i < 30; ++i) { // three seconds of dragging
        history.beginUndoStep();
        store.at(0, 3).band.gain = 260 + i;
        clock.advance(100);
    }
    clock.advance(2000);
    change(400);
    EXPECT_EQ(history.undoPos(), 1);
    history.undo(send);
    EXPECT_EQ(gain(), 289);
    history.undo(send);
    EXPECT_EQ(gain(), 250);
}

TEST_F(UndoFixture, RestoreSendsOnlyWhatDiffersAndMirrorsSharedRecords)
{
    history.pushSnapshot();
    store.at(0, 256 + 2).band.gain = 300; // shared microphone band
    store.at(1, 256 + 2).band.gain = 300;
    store.at(0, 1030).value = 3; // per-mode filter type
    sent.clear();
    history.undo(send);
    EXPECT_EQ(writer.writes, (std::vector<std::pair<int, int>>{{0, 256 + 2}, {1, 256 + 2}, {0, 1030}}));
    EXPECT_EQ(store.at(0, 256 + 2).band.gain, 250);
    EXPECT_EQ(store.at(1, 256 + 2).band.gain, 250);
    EXPECT_EQ(store.at(0, 1030).value, 0);
}

TEST_F(UndoFixture, AChangeSetOffByARestoreDoesNotAlterTheRestore)
{
    history.pushSnapshot();
    const ParamStore before = store;
    store.at(0, 1).band.gain = 300;
    store.at(0, 2).band.gain = 300;
    bool nested = false;
    writer.onWrite = [&] {
        if (!nested) { // set off by the first write: a mode switch resets the history, then a slider moves
            nested = true;
            history.resetUndo();
            history.beginUndoStep();
        }
    };
    history.undo(send);
    EXPECT_EQ(sent, (std::vector<int>{1, 2}));
    EXPECT_EQ(store, before);
}

TEST_F(UndoFixture, TheRingKeepsThirtyStepsAndEveryBandField)
{
    for (int step = 1; step <= 31; ++step) {
        history.beginUndoStep();
        Band& band = store.at(0, 3).band;
        band.gain = 100 + step;
        band.freqIndex = step;
        band.qIndex = step;
        band.shelfQIndex = step % 29;
        band.shape = static_cast<std::uint8_t>(step % 3);
        band.bandOff = step % 2 == 0;
        clock.advance(1000);
    }
    // The ring holds 30 states; the first undo also keeps the state it leaves,
    // so the way back ends at the state after step 2.
    int undone = 0;
    while (history.undo(send))
        ++undone;
    EXPECT_EQ(undone, 29);
    const Band& band = store.at(0, 3).band;
    EXPECT_EQ(band.gain, 102);
    EXPECT_EQ(band.freqIndex, 2);
    EXPECT_EQ(band.qIndex, 2);
    EXPECT_EQ(band.shelfQIndex, 2);
    EXPECT_EQ(band.shape, 2);
    EXPECT_TRUE(band.bandOff);
    while (history.redo(send))
        ++undone;
    EXPECT_EQ(store.at(0, 3).band.gain, 131); // and redo walks all the way forward again
}

TEST_F(UndoFixture, ResetForgetsTheHistory)
{
    change(1);
    history.resetUndo();
    EXPECT_FALSE(history.undo(send));
    EXPECT_FALSE(history.redo(send));
    EXPECT_TRUE(sent.empty());
}
