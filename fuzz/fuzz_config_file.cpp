// A .quorix file, and everything a loaded file reaches: the summary, the
// curves of every page, mode and third, the block writes and single writes
// built from it, and mode copy.
//
// Inputs of exactly one file's size are read as they are; any other input
// patches a default file (3 bytes offset, 1 byte count, bytes), so the search
// spends its time past the size check.

#include "fuzz_check.h"

#include "graph/curve_points.h"
#include "graph/plot_geometry.h"
#include "graph/response_curves.h"

#include "link/frame_fault.h"
#include "link/request_builder.h"

#include "core/address_map.h"
#include "core/config_file.h"
#include "core/digit_buffer.h"
#include "core/mode_copy.h"
#include "core/param_editor.h"
#include "core/param_writer.h"
#include "core/processor_record.h"
#include "core/store_summary.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace quorix;

namespace {

std::vector<std::uint8_t> FileFrom(const std::uint8_t* data, std::size_t size)
{
    if (size == core::kConfigFileSize)
        return {data, data + size};
    static const std::vector<std::uint8_t> defaults = core::EncodeConfiguration(core::DefaultParamStore());
    std::vector<std::uint8_t> file = defaults;
    FuzzedDataProvider fuzz(data, size);
    while (fuzz.remaining_bytes() > 4) {
        const auto offset = fuzz.ConsumeIntegralInRange<std::size_t>(0, file.size() - 1);
        const auto bytes = fuzz.ConsumeBytes<std::uint8_t>(fuzz.ConsumeIntegralInRange<std::size_t>(1, 8));
        for (std::size_t i = 0; i < bytes.size() && offset + i < file.size(); ++i)
            file[offset + i] = bytes[i];
    }
    return file;
}

void DrawEveryPage(const core::ParamStore& store)
{
    graph::ResponseCurves curves;
    curves.resize(graph::PlotGeometry::forSize(60, 40));
    for (int kind = 0; kind < 8; ++kind)
        for (std::uint8_t mode = 0; mode < 2; ++mode)
            for (std::uint8_t third = 0; third < (kind == core::Effects ? 3 : 1); ++third) {
                core::ViewState view;
                view.currentKind = kind;
                view.currentMode = mode;
                view.effectsSubPage = third;
                const graph::PagePoints page = graph::BuildCurvePoints(store, view, [](int) { return -1; });
                for (const graph::CurvePoint& p : page.points)
                    curves.computeCurve(p, kind);
                curves.sumCurves(page.points);
                for (int i = 0; i < curves.pointCount(); ++i)
                    FUZZ_CHECK(curves.frequency(i) > 0);
            }
}

// A file the loader takes must travel whole: every block and every single write builds.
void BuildEveryWrite(const core::ParamStore& image)
{
    core::DigitBuffer digits;
    for (std::uint8_t mode = 0; mode < 2; ++mode) {
        const link::RequestSources sources{image, image, mode, digits};
        std::uint8_t modeOverride = 0;
        try {
            for (int preset : {0, 4, 11})
                for (int kind = 0; kind < core::kKindCount; ++kind)
                    if (!core::IsSkippedKind(kind))
                        link::BuildRequest(link::Command::WriteBlock, preset, core::KindFirst(kind), modeOverride,
                                           sources);
            for (int address = 0; address < core::kAddressCount; ++address)
                if (image.at(core::ModeForAddress(address, mode), address).defined)
                    link::BuildRequest(link::Command::WriteParam, mode, address, modeOverride, sources);
        } catch (const link::FrameFault& fault) {
            std::fprintf(stderr, "a loaded file cannot be written: %s\n", fault.what());
            FUZZ_CHECK(false);
        }
    }
}

// Says yes to every question.
struct Yes final : core::Prompter {
    bool askYesNo(std::string_view) override { return true; }
    Answer askYesNoCancel(std::string_view) override { return Answer::Yes; }
    void showMessage(std::string_view, core::Severity) override {}
    std::optional<std::filesystem::path> askFile(const core::FileRequest&) override { return std::nullopt; }
};

void CopyBothWays(core::ParamStore store)
{
    core::ViewState view;
    core::NullParamWriter writer;
    core::ParamEditor edits{store, view, writer};
    const core::ProcessorRecord record;
    Yes prompter;
    for (const std::uint8_t mode : {std::uint8_t{0}, std::uint8_t{1}}) {
        view.currentMode = mode;
        FUZZ_CHECK(core::CopyMode(edits, view, record, prompter, [](int) { return true; }));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> file = FileFrom(data, size);
    core::ParamStore image;
    const core::ConfigFileResult result = core::DecodeConfiguration(file, image);
    if (!result.ok) {
        FUZZ_CHECK(result.problem != core::ConfigFileProblem::None);
        FUZZ_CHECK(image == core::ParamStore());
        return 0;
    }
    FUZZ_CHECK(core::EncodeConfiguration(image) == file);
    FUZZ_CHECK(!core::FormatStoreSummary(image).empty());
    DrawEveryPage(image);
    BuildEveryWrite(image);
    CopyBothWays(image);
    return 0;
}
