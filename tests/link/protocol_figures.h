#pragma once

// Frames worked out by hand from the protocol's tables, byte for byte: both the
// console's link and the virtual processor are checked against them, never
// against each other's output.
namespace figures {

inline constexpr const char* kWriteParam300At0x10F = "FE 00 00 01 0F 09 01 32 4A";
inline constexpr const char* kReadStatus = "FE 09 23 23 23 09 23 23 BF";
inline constexpr const char* kReadDone = "FE 0E 23 23 23 09 23 23 C4";
inline constexpr const char* kHandshake = "FE FA 23 23 23 0F 5A 51 56 5F 43 54 52 4C 05";
inline constexpr const char* kLockVerify1234 = "FE 08 00 00 00 0B 01 02 03 04 1B";
inline constexpr const char* kLockClose = "FE 08 00 00 02 09 23 23 57";

// Replies: "QUORIX_1", the status of a processor on USER2, the acknowledgement
// of a single write (payload: the request code, 0).
inline constexpr const char* kHandshakeReply = "FE 0B 51 55 4F 52 49 58 5F 31 81";
inline constexpr const char* kStatusUser2Reply = "FE 05 00 04 07";
inline constexpr const char* kWriteParamAck = "FE 05 00 00 03";

// WriteParam of a plain value to 0x400 (main output music level) in the singing
// mode: the header and length add up to 0x10B, so the value moves the sum's low
// byte across the three reserved values FD, FE and FF, which travel as 00.
struct FoldingWrite {
    int value;
    const char* frame;
};
inline constexpr FoldingWrite kFoldingWrites[] = {
    {241, "FE 00 00 04 00 09 00 F1 FC"}, // sum 0x1FC: below the reserved values
    {242, "FE 00 00 04 00 09 00 F2 00"}, // sum 0x1FD
    {243, "FE 00 00 04 00 09 00 F3 00"}, // sum 0x1FE
    {244, "FE 00 00 04 00 09 00 F4 00"}, // sum 0x1FF
    {246, "FE 00 00 04 00 09 00 F6 01"}, // sum 0x201
};

// Band records (shape, slope, frequency, gain 250, Q 10): a frequency value of
// 30000 is index 0 with the band off; 29999 is stored as it comes, band on.
inline constexpr const char* kBandFrequency30000 = "00 00 78 00 01 00 00 0A";
inline constexpr const char* kBandFrequency29999 = "00 00 77 F9 01 00 00 0A";
// Index 120, band off: 30120 = 120 * 250 + 120.
inline constexpr const char* kBandOff120 = "01 0C 78 78 01 32 00 10";

} // namespace figures
