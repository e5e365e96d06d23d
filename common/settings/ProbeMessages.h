#pragma once

#include "MediaProbe.h"

class QWidget;

namespace settings {

// Shows why a probe failed: a file that cannot be rendered gets the language's
// "cannot open" text in a box without owner, every other step its fixed text
// with caption "Error" owned by `owner`. A probe that succeeded shows nothing.
void ReportProbeFailure(QWidget* owner, const media::ProbeResult& result);

} // namespace settings
