#pragma once

#include <QString>
#include <QStringList>

namespace settings {

// Where each of several sources is written: its base name with `extension`
// (".mp4") in `folder`, in the order given. A name another source of the batch
// already took, or the path of any source itself, gets " (2)", " (3)", ... so
// no two outputs collide and no source is overwritten.
QStringList BatchOutputPaths(const QStringList& sources, const QString& folder,
                             const QString& extension);

} // namespace settings
