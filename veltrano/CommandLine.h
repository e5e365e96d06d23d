#pragma once

#include <QStringList>

namespace veltrano {

// `veltrano --convert [options] FILE`: converts the video, or its marked part,
// to AVI without a window, with the stored settings as defaults that the
// options change for this run only. Needs an application object (no display)
// and the media framework. Returns the exit code (ExitCodes.h).
int RunCommandLine(const QStringList& arguments);

} // namespace veltrano
