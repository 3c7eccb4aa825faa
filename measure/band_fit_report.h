#pragma once

#include "band_fit.h"

#include <string>

namespace quorix::measure {

// A filter as the tool asked for it ("PK 1003 Hz -4.46 dB Q 3.30") and a band as
// the processor holds it ("PK 1000 Hz -4.5 dB Q 3.40"): units and shape codes only,
// read alike in either language.
std::string RequestedText(const RequestedFilter& filter);
std::string StoredText(const core::Band& band);

// quorix-cli's English for a fit: one line per filter with the requested and the
// stored values, then the bands set flat and the largest difference; or the refusal.
std::string BandFitReport(const BandFit& fit);

} // namespace quorix::measure
