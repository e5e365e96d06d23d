#pragma once

#include <QString>
#include <cstdio>

namespace uikit {

// Writes `text` and a line end to `stream` in UTF-8 and flushes it, so the
// lines of a run appear as they happen also through a pipe.
void PrintLine(std::FILE* stream, const QString& text);

// Whether `stream` goes to a terminal.
bool IsTerminal(std::FILE* stream);

} // namespace uikit
