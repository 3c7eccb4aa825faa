#include "journey.h"

#include "presets/configuration_files.h"
#include "presets/flow_host.h"
#include "presets/preset_commands.h"

#include <filesystem>

using namespace quorix;

namespace {

struct QuietFlow : presets::FlowHost {
    std::vector<std::string> messages;
    void showMessage(std::string_view text) override { messages.emplace_back(text); }
    void showInformation(std::string_view text) override { messages.emplace_back(text); }
    bool askYesNo(std::string_view) override { return true; }
    void setBusy(bool) override {}
};

struct OneFile : presets::FileChooser {
    std::filesystem::path path;
    std::filesystem::path chooseConfigurationFileToOpen() override { return path; }
    std::filesystem::path chooseConfigurationFileToSave() override { return path; }
};

TEST_F(Journey, ATuningSurvivesAPresetRoundTripAndAFileRoundTrip)
{
    QuietFlow flow;
    OneFile chooser;
    chooser.path = std::filesystem::temp_directory_path() / "quorix-journey-tuning.quorix";
    const presets::PresetContext context{device, store, image, view, digits, host};
    presets::PresetCommands commands{context, flow};
    presets::ConfigurationFiles files{context, flow, chooser};
    const auto tune = [&](int gain, int value) {
        store.at(0, 3).band.gain = gain;
        ASSERT_TRUE(writeParam(3));
        store.at(0, 1024).value = value;
        ASSERT_TRUE(writeParam(1024));
    };
    connect();

    tune(310, 42);
    ASSERT_TRUE(told([&](auto done) { commands.store(1, done); })); // USER2
    ASSERT_TRUE(told([&](auto done) { commands.recall(0, done); }));
    EXPECT_NE(store.at(0, 3).band.gain, 310);
    ASSERT_TRUE(told([&](auto done) { commands.recall(4, done); }));
    EXPECT_EQ(store.at(0, 3).band.gain, 310);
    EXPECT_EQ(store.at(0, 1024).value, 42);
    expectStoreMatchesProcessor(4);

    ASSERT_TRUE(files.saveConfigurationFile());
    tune(150, 7);
    ASSERT_TRUE(told([&](auto done) { commands.recall(1, done); }));
    ASSERT_TRUE(told([&](auto done) { files.openConfigurationFile(done); }));
    EXPECT_EQ(processor.currentPreset(), 1);
    EXPECT_EQ(processor.band(0, 3).gain, 310);
    EXPECT_EQ(processor.value(0, 1024), 42);
    expectStoreMatchesProcessor();
    EXPECT_EQ(flow.messages, std::vector<std::string>{"写入完成!"});
    std::filesystem::remove(chooser.path);
}

} // namespace
