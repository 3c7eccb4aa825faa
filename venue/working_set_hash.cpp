#include "working_set_hash.h"

#include "core/transferred_set.h"

#include <cstdio>

namespace quorix::venue {

std::string WorkingSetHash(const core::ParamStore& store)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(core::TransferredSetHash(store)));
    return text;
}

} // namespace quorix::venue
