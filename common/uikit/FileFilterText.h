#pragma once

#include "Prompts.h"

#include <QString>

namespace uikit {

// The text a Qt file dialog takes for one filter. A description that already
// ends by showing its patterns in parentheses, "Video Files (*.mkv)", keeps its
// words and only has those patterns written the way Qt reads them; any other
// gets the patterns appended, "AVI file (*.avi)".
QString FileFilterText(const FileFilter& filter);

// Every filter of `request` for a Qt file dialog; `selected` receives the text
// of the request's selected filter.
QString FileFilterList(const FileRequest& request, QString* selected);

} // namespace uikit
