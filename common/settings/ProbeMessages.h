#pragma once

#include "MediaProbe.h"

#include <QString>

class QWidget;

namespace settings {

// Probes `path` and, when a step fails, shows that step's message: a file that
// cannot be rendered gets the language's "cannot open" text in a box without
// owner, every other step its fixed text with caption "Error" owned by `owner`.
media::ProbeResult ProbeWithMessages(QWidget* owner, const QString& path);

} // namespace settings
