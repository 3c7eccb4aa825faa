#pragma once

#include "band_fit.h"

#include <string>

namespace quorix::measure {

// The fit as text, one line per filter with the requested and the stored values,
// then the bands set flat and the largest difference; or the refusal.
std::string BandFitReport(const BandFit& fit);

} // namespace quorix::measure
