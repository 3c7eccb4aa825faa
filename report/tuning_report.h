#pragma once

#include "core/atomic_save.h"
#include "core/param_store.h"
#include "core/processor_record.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <filesystem>
#include <optional>

namespace quorix::report {

struct ReportCover {
    QDateTime when;
    QString source; // the configuration file, or the processor
    QString preset;
    QString note; // a free line for the venue
    // What the processor is known to hold: values never read from it are marked, and the cover says so.
    const core::ProcessorRecord* record = nullptr;
};

// What became of writing the report, as data: the console and quorix-cli each word it.
struct ReportWritten {
    bool drawn = false;     // the painter produced the PDF
    core::SaveFailure save; // why the drawn PDF was not saved, if it was not
    bool ok() const { return drawn && !save.failed(); }
};

// The tuning report as PDF: the cover, then one page per channel page with its
// response graph (singing and, where it differs, dance) and every parameter with
// the value the console shows. Needs a QGuiApplication for its fonts.
// The report as PDF bytes, or nothing when the painter failed.
std::optional<QByteArray> RenderTuningReport(const core::ParamStore& store, const ReportCover& cover);
// The report saved as configuration files are, so a failed save leaves the old one.
ReportWritten WriteTuningReport(const std::filesystem::path& path, const core::ParamStore& store,
                                const ReportCover& cover);

} // namespace quorix::report
