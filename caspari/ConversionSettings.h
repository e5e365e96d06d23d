#pragma once

// What a conversion's settings start from: the stored ones, then the source
// once it is probed.

#include "MediaProbe.h"
#include "OutputSettings.h"

class QWidget;

namespace caspari {

// The output settings the program starts from, read from its store as the
// main window reads them: the format, the compressors (bound into their
// slots), the output file as stored, the size and the WMV bitrates. The frame
// rate is the source's.
void LoadStoredOutputSettings(QWidget* owner, settings::OutputSettings& output);

// The probed source's size and frame rate, which the output keeps.
void TakeProbedSource(const media::ProbeResult& probe, settings::OutputSettings& output);

} // namespace caspari
