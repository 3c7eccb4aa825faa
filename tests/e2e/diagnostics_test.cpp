#include "journey.h"

#include "tests/archive_tool.h"

#include "support/bundle_contents.h"
#include "support/support_bundle.h"

#include <filesystem>
#include <string>
#include <unistd.h>

using namespace quorix;
using link::Command;

TEST_F(Journey, TheLinkCountsWhatWentWrong)
{
    connect();
    EXPECT_EQ(device.counters().badChecksums, 0);
    processor.corruptNextChecksum();
    EXPECT_TRUE(sendCommand(Command::ReadStatus, 0, 0));
    EXPECT_EQ(device.counters().badChecksums, 1);
    EXPECT_EQ(device.counters().retries, 1);

    processor.duplicateNextReplies(1);
    EXPECT_TRUE(sendCommand(Command::ReadStatus, 0, 0));
    clock.advance(10);
    EXPECT_EQ(device.counters().unexpectedFrames, 1);

    processor.setKeepAliveSilent(true);
    clock.advance(6000);
    EXPECT_EQ(device.counters().linkLosses, 1);
}

// The bundle opens with the system's archive tool and holds no password digit
// that went over the wire, in any form.
TEST_F(Journey, TheSupportBundleOpensAndHoldsNoPassword)
{
    processor.setPasswords("7391", "739164");
    connect();
    digits.digitsToBuffer("739164", 0);
    sendCommand(Command::Password, 2, 0);
    const std::string kept = ring.text();
    ASSERT_NE(kept.find("TX Password"), std::string::npos);
    EXPECT_EQ(kept, trace.str()); // the ring holds what the trace file holds

    support::BundleContents contents;
    contents.program = "quorix-console test";
    contents.trace = kept;
    contents.counters = device.counters();
    contents.screen = &store;
    contents.lastRead = &store;
    contents.options = {"--simulator"};
    const auto path = std::filesystem::temp_directory_path() / ("quorix-bundle-" + std::to_string(::getpid()) + ".zip");
    ASSERT_TRUE(support::SaveBundle(path, support::BundleFiles(contents)).ok());

    const std::string listing = ArchiveListing(path);
    for (const char* name : {"README.txt", "versions.txt", "devices.txt", "trace.txt", "counters.txt", "screen.quorix",
                             "last-read.quorix", "options.txt"})
        EXPECT_NE(listing.find(name), std::string::npos) << name << " in\n" << listing;
    const std::string bytes = ArchiveBytes(path);
    EXPECT_NE(bytes.find("TX Password"), std::string::npos);
    const std::string raw = {7, 3, 9, 1, 6, 4};
    for (const std::string& form : {std::string("739164"), std::string("07 03 09 01 06 04"), raw})
        EXPECT_EQ(bytes.find(form), std::string::npos) << form;
    std::filesystem::remove(path);
}
