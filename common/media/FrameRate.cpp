#include "FrameRate.h"

#include <gst/gst.h>

#include <cmath>

namespace media {

Fraction FrameRateToFraction(double framesPerSecond) {
    if (!(framesPerSecond > 0.0) || framesPerSecond > 1000.0) {
        return {0, 1};
    }
    const double whole = std::round(framesPerSecond);
    const double ntscBase = std::round(framesPerSecond * 1001.0 / 1000.0);
    // Rates given with two or three decimals only: tolerate their rounding.
    if (std::fabs(framesPerSecond - whole) > 1e-6 &&
        std::fabs(framesPerSecond - ntscBase * 1000.0 / 1001.0) < 0.005) {
        return {static_cast<int>(ntscBase) * 1000, 1001};
    }
    gint numerator = 0;
    gint denominator = 1;
    gst_util_double_to_fraction(framesPerSecond, &numerator, &denominator);
    return {numerator, denominator};
}

} // namespace media
