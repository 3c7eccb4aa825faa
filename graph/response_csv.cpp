#include "response_csv.h"

#include "curve_points.h"
#include "response_curves.h"

#include "core/address_map.h"
#include "core/number_text.h"

namespace quorix::graph {

namespace {

// Four decimals, without a "-0.0000" for values that round to zero.
void AppendDecibels(std::string& line, float db)
{
    line.append(",").append(core::FormatFixed(static_cast<double>(db), 4));
}

std::string ColumnName(const CurvePoint& p)
{
    if (p.type == HighPassPoint)
        return "HighPass";
    if (p.type == LowPassPoint)
        return "LowPass";
    return std::string(core::ParamName(p.address / 256, p.address % 256));
}

} // namespace

std::string ResponseCsv(const core::ParamStore& store, const core::ViewState& view, int width)
{
    const PagePoints page = BuildCurvePoints(store, view, [](int) { return -1; });
    ResponseCurves curves;
    // The height of the plot does not change the curves.
    curves.resize(PlotGeometry::forSize(width, 300));
    for (const CurvePoint& p : page.points)
        curves.computeCurve(p, view.currentKind);
    curves.sumCurves(page.points);

    std::string csv = "frequency_hz";
    for (const CurvePoint& p : page.points)
        csv.append(",").append(ColumnName(p));
    csv += ",total_db\n";
    for (int i = 0; i < curves.pointCount(); ++i) {
        // Six decimals: a narrow band's slope turns a rounded frequency into dB of its own.
        csv += core::FormatFixed(curves.exactFrequency(i), 6);
        for (const CurvePoint& p : page.points)
            AppendDecibels(csv, curves.column(p.slot)[i]);
        AppendDecibels(csv, curves.total()[static_cast<std::size_t>(i)]);
        csv += '\n';
    }
    return csv;
}

} // namespace quorix::graph
