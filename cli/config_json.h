#pragma once

#include "core/param_store.h"

#include <string>
#include <string_view>

namespace quorix::cli {

// The readable form of a configuration: one entry per page and mode, its
// parameters by menu address with their raw fields, names and display texts.
// Every record the binary file holds is kept, so a round trip gives back the
// same bytes. The layout is described in the README.
std::string ConfigurationToJson(const core::ParamStore& store);

struct JsonImport {
    bool ok = false;
    std::string message; // the field at fault, as a path: kinds[3].params["0x0E"].value
};

// Fills `store` only when the whole text is a configuration the console could
// have written; otherwise `store` is left as it was.
JsonImport ConfigurationFromJson(std::string_view text, core::ParamStore& store);

} // namespace quorix::cli
