#include "tuning_report.h"

#include "report_rows.h"

#include "tables/screen_names.h"

#include "graph/curve_points.h"
#include "graph/response_curves.h"

#include "core/atomic_save.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <optional>

namespace quorix::report {

namespace {

constexpr int kChannelPages = 8;
constexpr int kResolution = 300; // dots per inch of the painter's coordinates
constexpr double kLowHz = 20, kHighHz = 20000, kTopDb = 16, kBottomDb = -27;
const QString kFont = QStringLiteral("WenQuanYi Micro Hei");

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

QFont Font(double points, bool bold = false)
{
    QFont font(kFont);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The summed response of the page's curves, as the graph computes it, between 20 Hz and 20 kHz.
std::vector<QPointF> TotalResponse(const core::ParamStore& store, int kind, int mode, int third)
{
    core::ViewState view;
    view.currentKind = kind;
    view.currentMode = static_cast<std::uint8_t>(mode);
    view.effectsSubPage = static_cast<std::uint8_t>(third);
    const auto page = graph::BuildCurvePoints(store, view, [](int) { return -1; });
    graph::ResponseCurves curves;
    curves.resize(graph::PlotGeometry::forSize(1245, 300));
    for (const auto& p : page.points)
        curves.computeCurve(p, kind);
    curves.sumCurves(page.points);
    std::vector<QPointF> points;
    for (int i = 0; i < curves.pointCount(); ++i) {
        const double hz = curves.exactFrequency(i);
        if (hz >= kLowHz && hz <= kHighHz)
            points.emplace_back(hz, curves.total()[static_cast<std::size_t>(i)]);
    }
    return points;
}

class ReportPainter {
public:
    ReportPainter(QPdfWriter& writer, QPainter& painter) : m_writer(writer), m_p(painter)
    {
        m_width = painter.viewport().width();
        m_height = painter.viewport().height();
    }

    void cover(const ReportCover& c)
    {
        m_p.setFont(Font(26, true));
        m_p.drawText(QRectF(0, m_height * 0.25, m_width, 200), Qt::AlignHCenter, QStringLiteral("Quorix 调音报告"));
        m_p.setFont(Font(13));
        const QString lines[] = {QStringLiteral("日期：") + c.when.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                                 QStringLiteral("来源：") + c.source, QStringLiteral("预置：") + c.preset,
                                 QStringLiteral("备注：") + c.note};
        double y = m_height * 0.4;
        for (const QString& line : lines) {
            m_p.drawText(QRectF(m_width * 0.15, y, m_width * 0.7, 120), Qt::AlignLeft | Qt::TextWordWrap, line);
            y += 110;
        }
        if (c.record)
            m_p.drawText(QRectF(m_width * 0.15, y, m_width * 0.7, 240), Qt::AlignLeft | Qt::TextWordWrap,
                         Utf8(std::string(kNeverReadNote)));
    }

    void channelPage(const core::ParamStore& store, int kind, const core::ProcessorRecord* record)
    {
        m_writer.newPage();
        m_p.setFont(Font(18, true));
        m_p.drawText(QRectF(0, 0, m_width, 100), Qt::AlignLeft, Utf8(tables::PageName(kind)));
        graph(store, kind, QRectF(120, 130, m_width - 140, m_height * 0.32));
        table(PageRows(store, kind, record), m_height * 0.32 + 220, Utf8(tables::PageName(kind)));
    }

private:
    double x(const QRectF& r, double hz) const
    {
        return r.left() + (std::log10(hz) - std::log10(kLowHz)) / 3 * r.width();
    }
    double y(const QRectF& r, double db) const
    {
        return r.top() + (kTopDb - std::clamp(db, kBottomDb, kTopDb)) / (kTopDb - kBottomDb) * r.height();
    }

    void graph(const core::ParamStore& store, int kind, const QRectF& r)
    {
        m_p.setFont(Font(7));
        m_p.setPen(QPen(QColor(200, 200, 200), 2));
        for (const double hz : {20., 50., 100., 200., 500., 1000., 2000., 5000., 10000., 20000.}) {
            m_p.drawLine(QPointF(x(r, hz), r.top()), QPointF(x(r, hz), r.bottom()));
            m_p.drawText(QPointF(x(r, hz) - 30, r.bottom() + 45),
                         hz >= 1000 ? QString::number(hz / 1000) + "k" : QString::number(hz));
        }
        for (int db = -24; db <= 12; db += 6) {
            m_p.drawLine(QPointF(r.left(), y(r, db)), QPointF(r.right(), y(r, db)));
            m_p.drawText(QPointF(r.left() - 110, y(r, db) + 12), QString::number(db) + " dB");
        }
        m_p.setPen(QPen(Qt::black, 3));
        m_p.drawRect(r);
        const int thirds = kind == 3 ? 3 : 1;
        static const QColor kColours[] = {QColor(200, 60, 0), QColor(0, 90, 200), QColor(0, 150, 60)};
        double legendY = r.top() + 40;
        for (int third = 0; third < thirds; ++third) {
            const auto singing = TotalResponse(store, kind, 0, third);
            const auto dance = TotalResponse(store, kind, 1, third);
            const bool differ = singing != dance;
            for (int mode = 0; mode < (differ ? 2 : 1); ++mode) {
                QPainterPath path;
                for (const QPointF& pt : mode == 0 ? singing : dance) {
                    const QPointF at(x(r, pt.x()), y(r, pt.y()));
                    path.elementCount() == 0 ? path.moveTo(at) : path.lineTo(at);
                }
                QPen pen(kColours[third], 5, mode == 0 ? Qt::SolidLine : Qt::DashLine);
                m_p.setPen(pen);
                m_p.drawPath(path);
                QString legend = differ ? (mode == 0 ? QStringLiteral("演唱") : QStringLiteral("劲舞"))
                                        : QStringLiteral("演唱 = 劲舞");
                if (thirds > 1)
                    legend = QStringLiteral("第%1组 ").arg(third + 1) + legend;
                m_p.drawLine(QPointF(r.right() - 420, legendY - 10), QPointF(r.right() - 330, legendY - 10));
                m_p.setPen(Qt::black);
                m_p.drawText(QPointF(r.right() - 310, legendY), legend);
                legendY += 45;
            }
        }
    }

    // Rows fill the left column, then the right one (half each), then a further page
    // where they do not fit; a cell's text wraps within its cell, so no text ever
    // runs into its neighbour.
    void table(const std::vector<ReportRow>& rows, double top, const QString& title)
    {
        const double columnWidth = m_width / 2.0;
        const double cellWidths[] = {columnWidth * 0.22, columnWidth * 0.39, columnWidth * 0.39};
        const QFont header = Font(8, true);
        const QFont body = Font(7.5);
        int column = 0;
        double y = top;
        const auto startColumn = [&] {
            m_p.setFont(header);
            double x = column * columnWidth;
            const QString headings[] = {QStringLiteral("参数"), QStringLiteral("演唱"),
                                        QStringLiteral("劲舞（不同时）")};
            double height = 0;
            for (int i = 0; i < 3; ++i) {
                height = std::max(height, cell(x, y, cellWidths[i], headings[i]));
                x += cellWidths[i];
            }
            y += height + kRowGap;
        };
        startColumn();
        // Half the rows in each column, as long as they fit.
        const std::size_t perColumn = (rows.size() + 1) / 2;
        for (std::size_t n = 0; n < rows.size(); ++n) {
            const ReportRow& row = rows[n];
            m_p.setFont(body);
            const QString texts[] = {Utf8(row.name), Utf8(row.singing), Utf8(row.dance)};
            double height = 0;
            for (int i = 0; i < 3; ++i)
                height = std::max(height, cellHeight(cellWidths[i], texts[i]));
            if (y + height > m_height || (n == perColumn && column == 0 && top != kContinuedTop)) {
                if (++column == 2) {
                    column = 0;
                    top = kContinuedTop;
                    m_writer.newPage();
                    m_p.setFont(Font(18, true));
                    m_p.drawText(QRectF(0, 0, m_width, 100), Qt::AlignLeft, title + QStringLiteral("（续）"));
                }
                y = top;
                startColumn();
                m_p.setFont(body);
            }
            double x = column * columnWidth;
            for (int i = 0; i < 3; ++i) {
                cell(x, y, cellWidths[i], texts[i]);
                x += cellWidths[i];
            }
            y += height + kRowGap;
        }
    }

    static constexpr double kRowGap = 10;
    static constexpr double kContinuedTop = 130; // below the title of a page the table continues on
    static constexpr double kCellPadding = 20;
    // Wrapped between words, or anywhere when one word alone is wider than the cell.
    int wrapFlags(double width, const QString& text) const
    {
        constexpr int kWords = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        const bool fits =
            m_p.boundingRect(QRectF(0, 0, width - kCellPadding, 1e6), kWords, text).width() <= width - kCellPadding;
        return fits ? kWords : Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere;
    }

    double cellHeight(double width, const QString& text) const
    {
        return m_p.boundingRect(QRectF(0, 0, width - kCellPadding, 1e6), wrapFlags(width, text), text).height();
    }

    // Draws one cell's text wrapped to its width; returns the height it took.
    double cell(double x, double y, double width, const QString& text)
    {
        const double height = cellHeight(width, text);
        m_p.drawText(QRectF(x, y, width - kCellPadding, height), wrapFlags(width, text), text);
        return height;
    }

    QPdfWriter& m_writer;
    QPainter& m_p;
    double m_width = 0;
    double m_height = 0;
};

} // namespace

std::optional<QByteArray> RenderTuningReport(const core::ParamStore& store, const ReportCover& cover)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kResolution);
    writer.setTitle(QStringLiteral("Quorix 调音报告"));
    writer.setCreator(QStringLiteral("Quorix Console"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                     QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer))
        return std::nullopt;
    ReportPainter report(writer, painter);
    report.cover(cover);
    for (int kind = 0; kind < kChannelPages; ++kind)
        report.channelPage(store, kind, cover.record);
    if (!painter.end())
        return std::nullopt;
    return pdf;
}

ReportWritten WriteTuningReport(const std::filesystem::path& path, const core::ParamStore& store,
                                const ReportCover& cover)
{
    const std::optional<QByteArray> pdf = RenderTuningReport(store, cover);
    if (!pdf)
        return {};
    return {true, core::SaveAtomically(path, std::span(reinterpret_cast<const std::uint8_t*>(pdf->constData()),
                                                       static_cast<std::size_t>(pdf->size())))};
}

} // namespace quorix::report
