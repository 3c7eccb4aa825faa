#include "hex.h"

#include "link/block_layout.h"
#include "link/reply_match.h"

#include <gtest/gtest.h>

using namespace quorix::link;

namespace {

struct Case {
    Command command;
    int address;
    Bytes payload;
    bool fits;
};

Bytes Block(int kind, int extra = 0)
{
    return Bytes(BlockDataSize(kind) + static_cast<std::size_t>(extra), 0);
}

} // namespace

TEST(ReplyMatch, AReplyFitsOnlyTheRequestOfItsShape)
{
    const Bytes handshake = Hex("51 55 4F 52 49 58 5F 31"); // "QUORIX_1"
    const Case cases[] = {
        {Command::ReadStatus, 0, Hex("00 07"), true},
        {Command::ReadStatus, 0, Hex("00 08"), false}, // no such preset
        {Command::ReadStatus, 0, handshake, false},    // its byte 1 would read as preset 85
        {Command::ReadStatus, 0, Hex("00 03 00"), false},
        {Command::WriteParam, 1024, Hex("00 00"), true},
        {Command::WriteParam, 1024, Hex("02 00"), true}, // an acknowledgement has no fixed form
        {Command::WriteParam, 1024, handshake, false},
        {Command::WriteParam, 1024, Block(4), false},
        {Command::WriteBlock, 0, Hex("02 00"), true},
        {Command::StoreMode, 0, Hex("03 00"), true},
        {Command::ReadDone, 0, Hex("0E 00"), true},
        {Command::ReadDone, 0, Block(10), false},
        {Command::Password, 0, Hex("00 53"), true},
        {Command::Password, 0, handshake, false},
        {Command::ReadBlock, 256, Block(1), true},
        {Command::ReadBlockBack, 2560, Block(10), true},
        {Command::ReadBlock, 256, Block(0), false}, // a stale block of another kind
        {Command::ReadBlock, 256, Hex("00 05"), false},
        {Command::ReadBlock, 256, handshake, false},
        {Command::ReadBlock, 0, Block(0, 2), true},    // its own, of the wrong size: the read reports the count
        {Command::ReadBlock, 512, Block(0, 2), false}, // kind 2 is never transferred
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplyFits(c.command, c.address, c.payload), c.fits)
            << CommandName(c.command) << " at " << c.address << " with " << c.payload.size() << " bytes";
}

TEST(ReplyMatch, TheTraceNamesAFrameByItsShape)
{
    EXPECT_EQ(ReplyShape(Hex("51 55 4F 52 49 58 5F 33")), "Handshake");
    EXPECT_EQ(ReplyShape(Hex("00 53")), "Short");
    EXPECT_EQ(ReplyShape(Block(7)), "Block7");
    EXPECT_EQ(ReplyShape(Hex("01 02 03")), "Frame");
}
