#pragma once

#include <QString>
#include <cstdint>

class QWidget;

namespace settings {

// Output container formats of the subtitle converter.
enum OutputFormat : std::int32_t { kFormatAvi = 0, kFormatWmv = 1, kFormatMkv = 2, kFormatAsf = 3 };

// `path` with its extension replaced by the one of `format` (".avi", ".wmv",
// ".mkv", ".asf"); only a dot in the file name starts an extension. For any
// other format says "Does not support the video format" and returns false,
// leaving `out` unchanged.
bool SetOutputExtension(std::int32_t format, const QString& path, QString& out);

} // namespace settings
