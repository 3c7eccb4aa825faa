#pragma once

#include "cli_args.h"

namespace quorix::cli {

// Each command returns the process exit code: 0 success, 1 failure, 2 bad usage.
int CommandNew(const CliArgs& args);
int CommandInfo(const CliArgs& args);
int CommandPull(const CliArgs& args);
int CommandResponse(const CliArgs& args);
// Exit 0 when the two files hold the same values, 1 when they differ, 2 on bad usage or an unreadable file.
int CommandDiff(const CliArgs& args);
int CommandExport(const CliArgs& args);
int CommandImport(const CliArgs& args);
int CommandPush(const CliArgs& args);
// Each processor found: its path, serial number, variant and whether it opens.
int CommandList(const CliArgs& args);
int CommandImportFilters(const CliArgs& args);
int CommandReport(const CliArgs& args);
// list, push or recall over a venue's broker; exit 1 unless every room named answered done.
int CommandVenue(const CliArgs& args);
// Probes the processor without writing to it; exit 0 when every assumption holds, 1 when one does not.
int CommandDoctor(const CliArgs& args);

} // namespace quorix::cli
