// Requests the synchronisation does not make, against the strict processor:
// a frame it would not understand would show as a refusal and fail the journey.
#include "journey.h"

using namespace quorix;
using link::Command;

TEST_F(Journey, CommonParametersGoOutAtModeZeroEvenInTheDanceMode)
{
    connect();
    view.CurrentMode = 1;
    store.at(0, 2560).Value = 31;
    EXPECT_TRUE(device.WriteParam(2560));
    EXPECT_EQ(processor.value(0, 2560), 31);
    store.at(1, 1024 + 0x04).Value = 66; // a value of the dance set beside it
    EXPECT_TRUE(device.WriteParam(1024 + 0x04));
    EXPECT_EQ(processor.value(1, 1024 + 0x04), 66);
    EXPECT_EQ(processor.value(0, 1024 + 0x04), 80);
}

TEST_F(Journey, StoringAPresetCopiesTheWorkingSettings)
{
    connect();
    store.at(0, 768 + 0x14).Value = 321;
    ASSERT_TRUE(device.WriteParam(768 + 0x14));
    EXPECT_TRUE(device.SendCommand(Command::StoreMode, 5, 0)); // USER3
    EXPECT_EQ(processor.currentPreset(), 5);
    EXPECT_EQ(processor.preset(5).at(0, 768 + 0x14).Value, 321);
}

TEST_F(Journey, PasswordsAreProvenAndChangedAtTheProcessor)
{
    processor.setPasswords("1234", "123456");
    connect();
    const auto ask = [&](const char* typed, int kind, int operation) {
        digits.DigitsToBuffer(typed, 0);
        EXPECT_TRUE(device.SendCommand(Command::Password, kind, operation)) << typed;
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
