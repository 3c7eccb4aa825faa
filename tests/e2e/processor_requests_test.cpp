// Requests beyond the connecting synchronisation (writes in the dance mode, a
// preset store, passwords, a file opened on USER2), against the strict
// processor: a frame it would not understand fails the journey as a refusal.
#include "journey.h"

#include "core/config_file.h"

#include <filesystem>
#include <string>

using namespace quorix;
using link::Command;

TEST_F(Journey, CommonParametersGoOutAtModeZeroEvenInTheDanceMode)
{
    connect();
    view.currentMode = 1;
    store.at(0, 2560).value = 31;
    EXPECT_TRUE(writeParam(2560));
    EXPECT_EQ(processor.value(0, 2560), 31);
    store.at(1, 1024 + 0x04).value = 66; // a value of the dance set beside it
    EXPECT_TRUE(writeParam(1024 + 0x04));
    EXPECT_EQ(processor.value(1, 1024 + 0x04), 66);
    EXPECT_EQ(processor.value(0, 1024 + 0x04), 80);
}

TEST_F(Journey, StoringAPresetCopiesTheWorkingSettings)
{
    connect();
    store.at(0, 768 + 0x14).value = 321;
    ASSERT_TRUE(writeParam(768 + 0x14));
    EXPECT_TRUE(sendCommand(Command::StoreMode, 5, 0)); // USER3
    EXPECT_EQ(processor.currentPreset(), 5);
    EXPECT_EQ(processor.preset(5).at(0, 768 + 0x14).value, 321);
}

TEST_F(Journey, PasswordsAreProvenAndChangedAtTheProcessor)
{
    processor.setPasswords("1234", "123456");
    connect();
    const auto ask = [&](const char* typed, int kind, int operation) {
        digits.digitsToBuffer(typed, 0);
        EXPECT_TRUE(sendCommand(Command::Password, kind, operation)) << typed;
        return device.lastReply().size() == 2 && device.lastReply()[1] == 'S';
    };
    EXPECT_TRUE(ask("1234", 0, 0));
    EXPECT_FALSE(ask("1235", 0, 0));
    EXPECT_TRUE(ask("123456", 2, 0));
    EXPECT_TRUE(ask("123456654321", 2, 1));
    EXPECT_EQ(processor.rightsPassword(), "654321");
    EXPECT_TRUE(ask("12349876", 0, 1));
    EXPECT_EQ(processor.lockPassword(), "9876");
    EXPECT_TRUE(ask("", 0, 2));
    EXPECT_TRUE(ask("", 2, 2));
}

namespace {

// The trace holds a request with this name whose bytes begin with `head`.
bool Sent(const std::string& trace, std::string name, const std::string& head)
{
    name.resize(14, ' ');
    return trace.find("TX " + name + " " + head) != std::string::npos;
}

} // namespace

TEST_F(Journey, OpeningAFileOnUser2WritesEveryKindToPreset4)
{
    connect();
    view.currentPreset = 4; // recall USER2: the mode-dependent kinds only
    ASSERT_TRUE(readFromDevice(4, false, Command::ReadBlock));
    for (const char* kind : {"00", "01", "03", "04", "07"})
        EXPECT_TRUE(Sent(trace.str(), "ReadBlock", std::string("FE 0B 04 ") + kind + " 00")) << kind;
    for (const char* kind : {"08", "0A"})
        EXPECT_FALSE(Sent(trace.str(), "ReadBlock", std::string("FE 0B 04 ") + kind)) << kind;

    core::ParamStore file = store;
    file.at(0, 7).band.gain = 190;
    file.at(0, 256 + 0x12).value = 99;
    file.at(0, 768 + 0x1B).band.freqIndex = 77;
    file.at(0, 1024 + 0x04).value = 61;
    file.at(0, 1792 + 0x03).value = 45;
    file.at(0, 2048 + 0x07).value = 70;
    file.at(0, 2560 + 0x05).value = 25;
    const auto path = std::filesystem::temp_directory_path() / "quorix-e2e-user2.quorix";
    ASSERT_TRUE(core::SaveConfigurationFile(path, file).ok);
    ASSERT_TRUE(core::LoadConfigurationFile(path, image).ok);
    std::filesystem::remove(path);

    trace.str({});
    ASSERT_TRUE(writeToDevice(view.currentPreset));
    ASSERT_TRUE(readFromDevice(view.currentPreset, false, Command::ReadBlockBack));
    for (const char* kind : {"00", "01", "03", "04", "07", "08", "0A"}) {
        EXPECT_TRUE(Sent(trace.str(), "WriteBlock", std::string("FE 02 04 ") + kind + " 00")) << kind;
        EXPECT_TRUE(Sent(trace.str(), "ReadBlockBack", std::string("FE 01 04 ") + kind + " 00")) << kind;
    }
    EXPECT_EQ(processor.currentPreset(), 4);
    expectTransferableKindsEqual(image, processor.preset(4));
    expectStoreMatchesProcessor(4);
    EXPECT_TRUE(host.messages.empty());
}
