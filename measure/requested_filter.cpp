#include "requested_filter.h"

#include <cmath>

namespace quorix::measure {

double ShelfSlope(const RequestedFilter& filter)
{
    switch (filter.form) {
    case ShelfForm::SlopeDb:
        return filter.slopeDb / 12;
    case ShelfForm::Unstated:
        return 1;
    case ShelfForm::Q:
        break;
    }
    // 1/Q² = (A + 1/A)(1/S − 1) + 2, solved for S; the divisor stays positive
    // because A + 1/A is at least 2.
    const double a = std::pow(10.0, filter.gainDb / 40);
    return 1 / ((1 / (filter.q * filter.q) - 2) / (a + 1 / a) + 1);
}

const char* ShapeName(FilterShape shape)
{
    switch (shape) {
    case FilterShape::LowShelf:
        return "LS";
    case FilterShape::HighShelf:
        return "HS";
    case FilterShape::Peaking:
        break;
    }
    return "PK";
}

} // namespace quorix::measure
