#pragma once

#include "MediaProbe.h"

class QString;
class QWidget;

namespace settings {

// Shows why a probe failed: a file that cannot be rendered gets the language's
// "cannot open" text in a box without owner, every other step its fixed text
// with caption "Error" owned by `owner`. A probe that succeeded shows nothing.
void ReportProbeFailure(QWidget* owner, const media::ProbeResult& result);

// Refuses, with a message owned by `owner`, a path that names something other
// than a file (a folder, a named pipe, a device): reading one may never end.
// True when refused; a path that does not exist is left to the probe.
bool RefuseNonFileInput(QWidget* owner, const QString& path);

} // namespace settings
