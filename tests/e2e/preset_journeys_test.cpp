#include "journey.h"

#include "tests/scripted_prompter.h"

#include "presets/configuration_files.h"
#include "presets/preset_commands.h"

#include <filesystem>

using namespace quorix;

namespace {

TEST_F(Journey, ATuningSurvivesAPresetRoundTripAndAFileRoundTrip)
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "quorix-journey-tuning.quorix";
    ScriptedPrompter flow;
    flow.answer = true;
    flow.files = {file, file};
    const presets::PresetContext context{device, store, image, view, digits, host};
    presets::PresetCommands commands{context, flow, flow};
    presets::ConfigurationFiles files{context, flow, file.parent_path()};
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
    std::filesystem::remove(file);
}

} // namespace
