#include "untransferred_line.h"

#include "core/address_map.h"
#include "core/param_display.h"

namespace quorix::cli {

std::string UntransferredLine(Transfer transfer)
{
    std::string pages;
    for (int kind = 0; kind < core::kKindCount; ++kind)
        if (core::IsSkippedKind(kind))
            pages += (pages.empty() ? "" : ", ") + std::string(core::KindName(kind));
    return "not transferred (the processor's block transfers do not carry them): the pages " + pages +
           (transfer == Transfer::Push ? ", and the per-mode dance values of the mode-dependent pages" : "") + "\n";
}

} // namespace quorix::cli
