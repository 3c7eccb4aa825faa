#pragma once

#include "cli_args.h"

namespace quorix::cli {

// Each command returns the process exit code: 0 success, 1 failure, 2 bad usage.
int CommandNew(const CliArgs& args);
int CommandInfo(const CliArgs& args);
int CommandPull(const CliArgs& args);
int CommandResponse(const CliArgs& args);
int CommandImportFilters(const CliArgs& args);
int CommandReport(const CliArgs& args);

} // namespace quorix::cli
