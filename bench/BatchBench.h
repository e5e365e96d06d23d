#pragma once

#include <QDir>
#include <QString>

namespace bench {

// Ten short clips with subtitles converted to AVI in one run of caspari's
// command line (the program at `caspari`), against the same ten conversions
// by ffmpeg in a shell loop, one process each. Prints both wall times (the
// median of `runs`) and their ratio; false when a run failed.
bool CompareBatchWithFfmpeg(const QDir& dir, int runs, const QString& caspari);

} // namespace bench
