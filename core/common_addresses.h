#pragma once

#include "address_map.h"

namespace quorix::core {

// The processor-wide parameters of the common kind (flat address 2560 + n) by
// name. Nothing outside the core spells these numbers; the virtual processor
// keeps its own tables.
inline constexpr int kMasterLevels = kCommonBase + 0x00; // music, microphone, effect
inline constexpr int kInputSelect = kCommonBase + 0x03;  // the OptionInput group
inline constexpr int kPowerOnPreset = kCommonBase + 0x04;
inline constexpr int kPowerOnLevels = kCommonBase + 0x05; // music, microphone, effect
inline constexpr int kMaximumLevels = kCommonBase + 0x08; // music, microphone, effect
inline constexpr int kFeedbackMic12 = kCommonBase + 0x0C; // the OptionFBX group
inline constexpr int kFeedbackMic34 = kCommonBase + 0x0D; // the OptionFBX2 group
inline constexpr int kKeyboardLock = kCommonBase + 0x0E;
inline constexpr int kOutputMutes = kCommonBase + 0x10;     // main L, main R, surround L, R, centre, subwoofer
inline constexpr int kPageBypasses = kCommonBase + 0x16;    // + menu kind 0..7
inline constexpr int kModeAddress = kCommonBase + 0x1E;     // 0 singing, 1 dance
inline constexpr int kAutoModeAddress = kCommonBase + 0x1F; // automatic mode control on/off
inline constexpr int kRightsAddress = kCommonBase + 0x20;   // set by the console itself after a read
inline constexpr int kMasterMutes = kCommonBase + 0x21;     // music, microphone, effect
inline constexpr int kToneAddress = kCommonBase + 0x26;     // tone step 0..10, 5 neutral
inline constexpr int kBacklight = kCommonBase + 0x27;
inline constexpr int kSpeakerModel = kCommonBase + 0x28;
inline constexpr int kSpeakerImpedance = kCommonBase + 0x29;
inline constexpr int kEffectsBypasses = kCommonBase + 0x2A; // + effects third: echo, reverb, effect mix

inline constexpr int kNeutralTone = 5;

// The bypass flag of the page on show: the effects page has one per third.
inline int BypassAddress(int kind, int effectsSubPage)
{
    return kind == Effects ? kEffectsBypasses + effectsSubPage : kPageBypasses + kind;
}

} // namespace quorix::core
