#pragma once

#include <QString>

class QWidget;

namespace settings {

// Whether a conversion of `source` may write `path`, checked as the subtitle
// converter checks before it converts, once replacing an existing file is
// settled: refused, each with its message (caption "Error") owned by `owner`,
// are a folder or device under the name, the source itself, an output folder
// that cannot be made, and an existing file that cannot be taken away.
bool CheckOutputFile(QWidget* owner, const QString& path, const QString& source);

} // namespace settings
