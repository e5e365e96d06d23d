#pragma once

#include "OutputSettings.h"

#include <QString>

class QWidget;

namespace veltrano {

// What becomes of an output file that exists already.
enum class ExistingOutput {
    Ask,     // the person is asked whether to replace it
    Replace, // replacing it was settled beforehand
};

// The checks and questions before the clip `clipFile` is converted, owned by
// `owner`: an output path that is a folder, a device or the clip itself is
// refused; an existing output file is asked about as `existing` says; an odd
// source frame rate may be replaced by the default one in `output`; a run
// without video compressor asks to go on. False when nothing is to start.
bool ConfirmConversion(QWidget* owner, const QString& clipFile, settings::OutputSettings& output,
                       ExistingOutput existing);

} // namespace veltrano
