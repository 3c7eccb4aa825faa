#include "band_fit_report.h"

#include "core/address_map.h"
#include "core/number_text.h"
#include "core/value_tables.h"
#include "core/value_text.h"

namespace quorix::measure {

namespace {

std::string BandName(int address)
{
    return std::string(core::ParamName(address / 256, address % 256));
}

} // namespace

std::string RequestedText(const RequestedFilter& f)
{
    std::string text = std::string(ShapeName(f.shape)) + " " + core::FormatShortest(static_cast<float>(f.frequency)) +
                       " Hz " + core::FormatShortest(static_cast<float>(f.gainDb)) + " dB";
    if (f.shape == FilterShape::Peaking)
        return text + " Q " + core::FormatFixed(f.q, 2);
    // Appending piece by piece: GCC 12 takes "literal" + temporary for an overlapping copy (-Wrestrict).
    if (f.form == ShelfForm::Q) {
        text += " Q ";
        text += core::FormatFixed(f.q, 2);
    } else if (f.form == ShelfForm::SlopeDb) {
        text += ' ';
        text += core::FormatShortest(static_cast<float>(f.slopeDb));
        text += " dB/oct";
    }
    return text + " (S " + core::FormatFixed(ShelfSlope(f), 2) + ")";
}

std::string StoredText(const core::Band& band)
{
    const char* shape = band.shape == 0 ? "PK" : band.shape == 2 ? "HS" : "LS";
    std::string text =
        std::string(shape) + " " + core::FrequencyText(band.freqIndex) + " Hz " + core::GainText(band.gain) + " dB";
    return band.shape == 0 ? text + " Q " + core::QText(band.qIndex) : text + " S " + core::QText(band.shelfQIndex);
}

std::string BandFitReport(const BandFit& fit)
{
    switch (fit.refusal) {
    case FitRefusal::None:
        break;
    case FitRefusal::NoBands:
        return "refused: this page has no equaliser bands\n";
    case FitRefusal::TooManyFilters:
        return "refused: " + std::to_string(fit.filterCount) + " filters, but this page has only " +
               std::to_string(fit.bandCount) + " equaliser bands\n";
    }
    std::string out;
    for (const FittedBand& b : fit.fitted)
        out += BandName(b.address) + ": line " + std::to_string(b.requested.line) + " " + RequestedText(b.requested) +
               " -> " + StoredText(b.band) + "\n";
    if (!fit.flattened.empty()) {
        out += "set to 0 dB:";
        for (const int address : fit.flattened) {
            out += ' ';
            out += BandName(address);
        }
        out += "\n";
    }
    out += "largest difference from 20 Hz to 20 kHz: " + core::FormatFixed(fit.largestDifferenceDb, 2) + " dB at " +
           core::FormatFixed(fit.atHertz, fit.atHertz < 100 ? 1 : 0) + " Hz\n";
    return out;
}

} // namespace quorix::measure
