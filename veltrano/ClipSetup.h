#pragma once

// What a conversion starts from, for the main window and the command line
// alike: the stored settings, and the clip once it is opened and probed.

#include "ConverterState.h"
#include "MediaProbe.h"
#include "OutputSettings.h"

class QWidget;

namespace veltrano {

// Reads the stored settings the way the main window starts: the compressors
// (bound into their slots), the transition choice, the output file, size and
// frame rate. Seeds the random transition choice.
void LoadConverterSettings(QWidget* owner, ConverterState& state, settings::OutputSettings& output);

// Makes the probed video at `path` the clip to convert with its sound, marked
// from its start to its end in whole seconds (a clip shorter than a second
// keeps its real length, or it would have nothing to convert), at its own
// size, and at its own rate when the frame-rate choice is the source's.
void TakeOpenedClip(const QString& path, const media::ProbeResult& probe, ConverterState& state,
                    settings::OutputSettings& output);

} // namespace veltrano
