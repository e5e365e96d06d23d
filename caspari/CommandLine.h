#pragma once

#include <QStringList>

namespace caspari {

// `caspari --convert [options] FILE...`: converts the videos without a window,
// with the stored settings as defaults that the options change for this run
// only. Needs an application object (no display) and the media framework.
// Returns the exit code (ExitCodes.h).
int RunCommandLine(const QStringList& arguments);

} // namespace caspari
