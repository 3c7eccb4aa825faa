#include "presets_fixture.h"

#include "presets/exit_save.h"
#include "presets/preset_texts.h"

#include <fstream>

using namespace quorix;
using presets::ExitSaveChoice;

namespace {

struct ExitSaveTest : PresetsTest {
    presets::ExitSave dialog{context, flow, flow, folder};
    std::vector<std::string> only(std::string_view message) { return {std::string(message)}; }
};

TEST(ExitSaveName, ChecksInTheirOrder)
{
    const struct {
        const char* name;
        std::string_view refusal;
    } cases[] = {
        {"", presets::kNameMissing},         {"c:night", presets::kNameIsPath},
        {"a\\b.x", presets::kNameIsPath}, // the path check comes first
        {"a/b", presets::kNameIsPath},       {"what?", presets::kNameIsPath},
        {"a*b", presets::kNameIsPath},       {"a<b>", presets::kNameIsPath},
        {"a|b", presets::kNameIsPath},       {"say\"x", presets::kNameIsPath},
        {"tab\there", presets::kNameIsPath}, {"night.quorix", presets::kNameHasExtension},
        {"..", presets::kNameHasExtension},  {"晚场 2", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(presets::ExitSave::checkName(c.name), c.refusal) << c.name;
}

TEST_F(ExitSaveTest, ARefusedNameKeepsTheDialogOpenAndDoesNothing)
{
    connect();
    const int requests = processor.requestsReceived();
    EXPECT_FALSE(told(
        [&](auto done) { dialog.save({.storePreset = true, .userIndex = 0, .saveFile = true, .name = "a.b"}, done); }));
    EXPECT_EQ(flow.messages, only(presets::kNameHasExtension));
    EXPECT_EQ(processor.requestsReceived(), requests);
}

TEST_F(ExitSaveTest, BothUntickedOnlySaysDone)
{
    connect();
    const int requests = processor.requestsReceived();
    EXPECT_TRUE(told(
        [&](auto done) { dialog.save({.storePreset = false, .userIndex = 0, .saveFile = false, .name = {}}, done); }));
    EXPECT_EQ(flow.messages, only(presets::kAllDone));
    EXPECT_EQ(flow.severities, std::vector<core::Severity>{core::Severity::Warning})
        << "as the window always showed it";
    EXPECT_EQ(processor.requestsReceived(), requests);
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST_F(ExitSaveTest, StoresIntoUser5AndWritesTheFileIntoTheModeFolder)
{
    connect();
    store.at(0, 3).band.gain = 280;
    ASSERT_TRUE(writeParam(3));
    EXPECT_TRUE(told([&](auto done) {
        dialog.save({.storePreset = true, .userIndex = 4, .saveFile = true, .name = "night"}, done);
    }));
    EXPECT_EQ(sent().back().first, "StoreMode");
    EXPECT_EQ(sent().back().second[2], 7);
    EXPECT_EQ(processor.preset(7).at(0, 3).band.gain, 280);
    EXPECT_EQ(view.currentPreset, 0) << "the exit dialog leaves the preset in use alone";
    core::ParamStore saved;
    ASSERT_TRUE(core::LoadConfigurationFile(folder / "night.QUORIX", saved).ok);
    EXPECT_EQ(saved, store);
    EXPECT_EQ(flow.messages, only(presets::kAllDone));
    EXPECT_EQ(flow.busy, (std::vector<bool>{true, false}));
}

TEST_F(ExitSaveTest, OfflineTheFileIsWrittenAndTheMessageSaysThePresetWasNot)
{
    store.at(0, 0xA20).value = 1;
    EXPECT_TRUE(told([&](auto done) {
        dialog.save({.storePreset = true, .userIndex = 0, .saveFile = true, .name = "night"}, done);
    }));
    EXPECT_TRUE(std::filesystem::exists(folder / "night.QUORIX"));
    EXPECT_EQ(flow.messages,
              only(std::string(presets::kStoreSkippedOffline) + "\n" + std::string(presets::kFileSaved)));
}

TEST_F(ExitSaveTest, AStoreThatFailsIsReportedAndTheFileStillWritten)
{
    connect();
    processor.dropNextReplies(100);
    EXPECT_TRUE(told([&](auto done) {
        dialog.save({.storePreset = true, .userIndex = 0, .saveFile = true, .name = "night"}, done);
    }));
    EXPECT_TRUE(std::filesystem::exists(folder / "night.QUORIX"));
    ASSERT_FALSE(flow.messages.empty());
    EXPECT_EQ(flow.messages.back(), std::string(presets::kStoreFailed) + "\n" + std::string(presets::kFileSaved));
    expectedRefusals = processor.refusals().count();
}

TEST_F(ExitSaveTest, AGuestIsRefusedAndTheDialogStaysOpen)
{
    connect();
    store.at(0, 0xA20).value = 0;
    EXPECT_FALSE(told([&](auto done) { dialog.save({.storePreset = true, .saveFile = true, .name = "night"}, done); }));
    EXPECT_EQ(flow.messages, only(presets::kGuestRefusal));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST_F(ExitSaveTest, AnExistingFileIsOverwrittenOnlyOnYes)
{
    const auto path = folder / "night.QUORIX";
    std::ofstream(path) << "old";
    flow.answer = false;
    EXPECT_FALSE(
        told([&](auto done) { dialog.save({.storePreset = false, .saveFile = true, .name = "night"}, done); }));
    EXPECT_EQ(flow.questions, only(presets::kOverwriteQuestion));
    EXPECT_EQ(std::filesystem::file_size(path), 3u);
    EXPECT_TRUE(flow.messages.empty());
    flow.answer = true;
    EXPECT_TRUE(told([&](auto done) { dialog.save({.storePreset = false, .saveFile = true, .name = "night"}, done); }));
    EXPECT_EQ(std::filesystem::file_size(path), core::kConfigFileSize);
    EXPECT_EQ(flow.messages, only(presets::kAllDone));
}

TEST_F(ExitSaveTest, AFileThatCannotBeWrittenIsReportedAndTheDialogStaysOpen)
{
    presets::ExitSave nowhere{context, flow, flow, folder / "gone"};
    EXPECT_FALSE(
        told([&](auto done) { nowhere.save({.storePreset = false, .saveFile = true, .name = "night"}, done); }));
    ASSERT_EQ(flow.messages.size(), 1u);
    EXPECT_NE(flow.messages[0], presets::kAllDone);
}

} // namespace
