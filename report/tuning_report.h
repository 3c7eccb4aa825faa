#pragma once

#include "core/param_store.h"
#include "core/processor_record.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace quorix::report {

struct ReportCover {
    QDateTime when;
    QString source; // the configuration file, or the processor
    QString preset;
    QString note;   // a free line for the venue
    // What the processor is known to hold: values never read from it are marked, and the cover says so.
    const core::ProcessorRecord* record = nullptr;
};

// Writes the tuning report as PDF: the cover, then one page per channel page with
// its response graph (singing and, where it differs, dance) and every parameter
// with the value the console shows. Returns why it failed, or an empty text.
// Needs a QGuiApplication for its fonts.
// The same report as PDF bytes, or nothing when the painter failed.
std::optional<QByteArray> RenderTuningReport(const core::ParamStore& store, const ReportCover& cover);
QString WriteTuningReport(const QString& path, const core::ParamStore& store, const ReportCover& cover);

} // namespace quorix::report
