#pragma once

#include <cstdint>

class QProgressBar;

namespace uikit {

// The time still to go at the pace so far when `done` of 1 took
// `elapsedSeconds`; negative while nothing is done or no time has passed.
std::int64_t SecondsLeft(double done, std::int64_t elapsedSeconds);

// Shows how far a conversion got: `done` of 1 as a percentage and, once time
// has passed, the time left at the pace so far.
void ShowConversionProgress(QProgressBar& bar, double done, std::int64_t elapsedSeconds);

// Readies `bar` for a conversion that starts now, and shows it.
void StartConversionProgress(QProgressBar& bar);

} // namespace uikit
