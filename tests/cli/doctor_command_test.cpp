#include "cli_fixture.h"

#include "tests/archive_tool.h"

using DoctorCommand = CliFixture;

TEST_F(DoctorCommand, ProbesTheVirtualProcessorAndWritesABundleTheArchiveToolOpens)
{
    const auto bundle = dir / "support.zip";
    const CliRun run = RunCli("doctor --simulator -o " + bundle.string());
    EXPECT_EQ(run.exitCode, 0) << run.output;
    for (const char* line : {"path=sim:quorix-processor serial=- interface=0 open=yes", "ok    report-lengths",
                             "ok    block-size-10", "ok    dance-set", "ok    keep-alive", "support bundle written to"})
        EXPECT_NE(run.output.find(line), std::string::npos) << line << " in\n" << run.output;
    EXPECT_EQ(run.output.find("FAIL"), std::string::npos) << run.output;

    const std::string listing = ArchiveListing(bundle);
    for (const char* name : {"README.txt", "versions.txt", "devices.txt", "doctor.txt", "trace.txt", "counters.txt",
                             "last-read.quorix", "options.txt"})
        EXPECT_NE(listing.find(name), std::string::npos) << name << " in\n" << listing;
}

TEST_F(DoctorCommand, RefusesWordsItDoesNotTake)
{
    for (const char* words : {"doctor extra", "doctor --wait 3", "doctor --kind 1", "doctor -o \"\""})
        EXPECT_EQ(RunCli(words).exitCode, 2) << words;
}

TEST_F(DoctorCommand, ABundleThatCannotBeWrittenFails)
{
    const CliRun run = RunCli("doctor --simulator -o " + (dir / "missing" / "support.zip").string());
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("was not written"), std::string::npos) << run.output;
}
