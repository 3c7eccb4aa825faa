#include "presets_fixture.h"

#include "presets/preset_commands.h"
#include "presets/preset_texts.h"

#include "core/checked_index.h"

using namespace quorix;

namespace {

struct PresetCommandsTest : PresetsTest {
    presets::PresetCommands commands{context, flow, flow};
    bool recall(int preset)
    {
        return told([&](auto done) { commands.recall(preset, done); });
    }
    bool storeInto(int userIndex)
    {
        return told([&](auto done) { commands.store(userIndex, done); });
    }
};

TEST_F(PresetCommandsTest, RecallReadsTheModeKindsOfThePresetAndNotTheGlobalOnes)
{
    connect();
    const int global = 0xA08;
    processor.setValue(0, global, processor.value(0, global) == 60 ? 61 : 60);
    const int globalBefore = store.at(0, global).value;
    int presetAtFirstProgress = -1;
    host.onProgress = [&](int) {
        if (presetAtFirstProgress < 0)
            presetAtFirstProgress = view.currentPreset;
    };
    const auto before = sent().size();

    ASSERT_TRUE(recall(4)); // USER2
    EXPECT_EQ(presetAtFirstProgress, 4) << "CurrentPreset is set before the read starts";
    std::vector<int> kinds;
    const auto requests = sent();
    for (auto i = before; i < requests.size(); ++i) {
        const auto& [name, bytes] = requests[i];
        if (name == "ReadBlock") {
            EXPECT_EQ(bytes[2], kinds.size() < 5 ? 4 : 11)
                << "the singing set, then the dance set of the preset in use";
            kinds.push_back(bytes[3]);
        }
    }
    EXPECT_EQ(kinds, (std::vector<int>{0, 1, 3, 4, 7, 0, 1, 3, 4, 7}));
    EXPECT_EQ(processor.currentPreset(), 4);
    EXPECT_EQ(host.preset, 4);
    EXPECT_EQ(store.at(0, global).value, globalBefore);
    expectRecordMatchesProcessor(0, 3);
}

TEST_F(PresetCommandsTest, OfflineRecallAndStoreSayTheProcessorIsNotConnected)
{
    store.at(0, 0xA20).value = 1; // an administrator, as every read leaves it
    const int requests = processor.requestsReceived();
    EXPECT_FALSE(recall(2));
    EXPECT_FALSE(storeInto(2));
    EXPECT_EQ(view.currentPreset, 0);
    EXPECT_EQ(processor.requestsReceived(), requests);
    EXPECT_EQ(flow.messages, std::vector<std::string>(2, std::string(presets::kOfflineRefusal)));
    EXPECT_TRUE(flow.busy.empty());
}

TEST_F(PresetCommandsTest, AGuestIsRefusedOnlineAndOfflineAndNothingIsSent)
{
    for (const bool online : {false, true}) {
        SCOPED_TRACE(online ? "online" : "offline");
        if (online)
            connect();
        store.at(0, 0xA20).value = 0;
        flow.messages.clear();
        const int requests = processor.requestsReceived();
        EXPECT_FALSE(storeInto(1));
        EXPECT_EQ(flow.messages, std::vector<std::string>{std::string(presets::kGuestRefusal)});
        EXPECT_EQ(processor.requestsReceived(), requests);
    }
}

TEST_F(PresetCommandsTest, StoringIntoUser3SendsModeNumber5AndShowsIt)
{
    connect();
    store.at(0, 3).band.gain = 321;
    ASSERT_TRUE(writeParam(3));
    ASSERT_TRUE(storeInto(2));
    EXPECT_EQ(sent().back().first, "StoreMode");
    EXPECT_EQ(sent().back().second[2], 5);
    EXPECT_EQ(processor.preset(5).at(0, 3).band.gain, 321);
    EXPECT_EQ(view.currentPreset, 5);
    EXPECT_EQ(host.preset, 5);
    EXPECT_EQ(flow.told(core::Severity::Information), std::vector<std::string>{std::string(presets::kStoreDone)});
    EXPECT_EQ(flow.busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(flow.busyAtMessages, std::vector<bool>{false}) << "written once the progress bar is gone";
}

TEST_F(PresetCommandsTest, AStoreThatIsNotAnsweredLeavesThePresetAsItWas)
{
    connect();
    processor.dropNextReplies(100);
    EXPECT_FALSE(storeInto(0));
    EXPECT_EQ(view.currentPreset, 0);
    EXPECT_TRUE(flow.messages.empty());
    EXPECT_EQ(flow.busy, (std::vector<bool>{true, false}));
    expectedRefusals = processor.refusals().count();
}

TEST_F(PresetCommandsTest, APresetNumberOutsideTheEightFailsLoudly)
{
    connect();
    EXPECT_THROW(recall(8), core::IndexError);
    EXPECT_THROW(recall(-1), core::IndexError);
    EXPECT_THROW(storeInto(5), core::IndexError);
    EXPECT_THROW(storeInto(-1), core::IndexError);
}

} // namespace
