// A measurement tool's filter text, and the whole import it reaches: parsing,
// the fit to every page's bands in both modes, the stored records and the report.

#include "fuzz_check.h"

#include "measure/filter_import.h"

#include "core/address_map.h"
#include "core/record_check.h"

#include <string_view>

using namespace quorix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (int kind = 0; kind < 8; ++kind) {
        core::ParamStore store = core::DefaultParamStore();
        core::ViewState view;
        view.currentKind = kind;
        view.currentMode = static_cast<std::uint8_t>(kind % 2);
        core::NullParamWriter noProcessor;
        core::ParamEditor editor(store, view, noProcessor);
        const measure::FilterImport imported = measure::ImportFilters(editor, text);
        FUZZ_CHECK(!measure::FilterImportText(imported, "f.txt").empty());
        FUZZ_CHECK(imported.ok || store == core::DefaultParamStore());
        for (const int address : imported.changed)
            for (int mode = 0; mode < 2; ++mode)
                FUZZ_CHECK(!core::CheckRecord(store.at(mode, address), core::DefaultParamStore().at(mode, address)));
    }
    return 0;
}
