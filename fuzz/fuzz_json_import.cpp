// The JSON form of a configuration as a person or a script may write it: the
// strict parser and the importer behind `quorix-cli import`.

#include "fuzz_check.h"

#include "cli/config_json.h"
#include "json/strict_json.h"

#include "core/address_map.h"
#include "core/config_file.h"
#include "core/valid_utf8.h"

#include <string_view>

using namespace quorix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    core::ParamStore store = core::DefaultParamStore();
    store.at(0, 0).band.gain = 111;
    const core::ParamStore before = store;
    const cli::JsonImport imported = cli::ConfigurationFromJson(text, store);
    if (!imported.ok) {
        FUZZ_CHECK(store == before);
        FUZZ_CHECK(!imported.message.empty() && imported.message.size() <= json::kLongestRefusal);
        FUZZ_CHECK(imported.message.find('\n') == std::string::npos);
        FUZZ_CHECK(core::ValidUtf8(imported.message) == imported.message);
        return 0;
    }
    // Whatever was taken is a configuration the binary reader takes too, and exports to the same.
    core::ParamStore decoded;
    FUZZ_CHECK(core::DecodeConfiguration(core::EncodeConfiguration(store), decoded).ok);
    core::ParamStore again;
    FUZZ_CHECK(cli::ConfigurationFromJson(cli::ConfigurationToJson(store), again).ok);
    FUZZ_CHECK(again == store);
    return 0;
}
