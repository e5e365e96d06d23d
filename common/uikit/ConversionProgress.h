#pragma once

#include <cstdint>

class QProgressBar;

namespace uikit {

// Shows how far a conversion got: `done` of 1 as a percentage and, once time
// has passed, the time left at the pace so far.
void ShowConversionProgress(QProgressBar& bar, double done, std::int64_t elapsedSeconds);

// Readies `bar` for a conversion that starts now, and shows it.
void StartConversionProgress(QProgressBar& bar);

} // namespace uikit
