#pragma once

namespace settings {

// Turns off the feedback of the DivX codec where its settings hold the switch:
// the first byte of the stored "Disable feedback" value becomes 1. A missing
// value is left alone and nothing is ever reported.
void WriteDivxFeedbackSwitch();

} // namespace settings
