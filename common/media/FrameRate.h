#pragma once

namespace media {

struct Fraction {
    int numerator = 0;
    int denominator = 1;
};

// Frame rate as an exact fraction. The NTSC-family rates given rounded
// (23.976, 29.97, 59.94, ...) become N*1000/1001; others the nearest simple
// fraction. Non-positive or absurd rates give 0/1.
Fraction FrameRateToFraction(double framesPerSecond);

} // namespace media
