#include "commands.h"
#include "integer_option.h"

#include "graph/curve_points.h"
#include "graph/response_curves.h"

#include "core/address_map.h"
#include "core/config_file.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>

namespace quorix::cli {

namespace {

// Four decimals, without a "-0.0000" for values that round to zero.
void AppendDecibels(std::string& line, float db)
{
    char cell[48];
    const double value = std::fabs(db) < 0.00005f ? 0.0 : static_cast<double>(db);
    std::snprintf(cell, sizeof cell, ",%.4f", value);
    line += cell;
}

std::string ColumnName(const graph::CurvePoint& p)
{
    if (p.Type == graph::HighPassPoint)
        return "HighPass";
    if (p.Type == graph::LowPassPoint)
        return "LowPass";
    return std::string(core::ParamName(p.Address / 256, p.Address % 256));
}

} // namespace

int CommandResponse(const CliArgs& args)
{
    std::string error;
    const auto kind = IntegerOption(args, "--kind", std::nullopt, 0, 7, error);
    const auto mode = IntegerOption(args, "--mode", 0, 0, 1, error);
    const auto third = IntegerOption(args, "--third", 0, 0, 2, error);
    const auto width = IntegerOption(args, "--width", 1920, 46, 20000, error);
    if (args.positional.size() != 1 && error.empty())
        error = "one configuration file is needed";
    if (!error.empty()) {
        std::cerr << "quorix-cli response: " << error << "\n"
                  << "usage: quorix-cli response FILE.quorix --kind 0..7 [--mode 0..1] [--third 0..2] [--width 46..20000]\n";
        return 2;
    }
    core::ParamStore store;
    const auto loaded = core::LoadConfigurationFile(args.positional[0], store);
    if (!loaded.ok) {
        std::cerr << loaded.message << '\n';
        return 1;
    }
    core::ViewState view;
    view.CurrentKind = *kind;
    view.CurrentMode = static_cast<std::uint8_t>(*mode);
    view.EffectsSubPage = static_cast<std::uint8_t>(*third);
    const graph::PagePoints page = graph::BuildCurvePoints(store, view, [](int) { return -1; });
    graph::ResponseCurves curves;
    // The height of the plot does not change the curves.
    curves.resize(graph::PlotGeometry::ForSize(*width, 300));
    for (const graph::CurvePoint& p : page.points)
        curves.ComputeCurve(p, view.CurrentKind);
    curves.SumCurves(page.points);

    std::string header = "frequency_hz";
    for (const graph::CurvePoint& p : page.points)
        header += "," + ColumnName(p);
    std::cout << header << ",total_db\n";
    char cell[48];
    for (int i = 0; i < curves.pointCount(); ++i) {
        std::string line;
        // Six decimals: a narrow band's slope turns a rounded frequency into dB of its own.
        std::snprintf(cell, sizeof cell, "%.6f", curves.exactFrequency(i));
        line += cell;
        for (const graph::CurvePoint& p : page.points)
            AppendDecibels(line, curves.column(p.Slot)[i]);
        AppendDecibels(line, curves.total()[static_cast<std::size_t>(i)]);
        std::cout << line << '\n';
    }
    return 0;
}

} // namespace quorix::cli
