#pragma once

// The steps of a conversion of the opened clip, for the main window and the
// command line alike: the sources read, the job built and started, its end
// read from the graph's events, a run that stands still told apart.

#include "ConversionJob.h"
#include "ConverterState.h"
#include "OutputSettings.h"

#include <QString>
#include <functional>

class QObject;

namespace veltrano {

// Reads the clip's sources in the background: their start decoded, so the job
// built afterwards finds them ready and reports what could not be read. Then
// calls `done` on the UI thread unless `receiver` is gone.
void ReadSources(QObject* receiver, const ConverterState& state, std::function<void()> done);

// Builds `job` with the compressors bound now and starts it, its graph's
// events posted to `notifyTarget`. False when it did not start: the steps said
// why, and the job's RunError holds the graph's reason when it was built but
// refused to run.
bool StartJob(ConversionJob& job, const ConverterState& state,
              const settings::OutputSettings& output, QObject* notifyTarget);

// How the job's posted graph events end it, read as they come.
struct JobEnd {
    bool ended = false;
    QString error; // empty when the job completed
};
JobEnd TakeJobEnd(ConversionJob& job);

// The failure of a run whose position stood still too long; empty while it moves.
QString StallFailure(ConversionJob& job);

// The share (0 to 1) of the marked range converted; negative while unknown.
double ConvertedShare(const ConversionJob& job, const ConverterState& state);

} // namespace veltrano
