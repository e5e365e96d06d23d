#pragma once

#include <QString>
#include <cstdint>

class QWidget;

namespace settings {

// Output container formats of the subtitle converter, as stored. 4 is no
// format but a graph without writer; MP4 came later and is stored after it.
enum OutputFormat : std::int32_t {
    kFormatAvi = 0,
    kFormatWmv = 1,
    kFormatMkv = 2,
    kFormatAsf = 3,
    kFormatMp4 = 5,
};

// Whether `format` writes a file of its own (every value above except 4).
bool WritesFile(std::int32_t format);

// The options dialog's format list ("AVI", "WMV", "MKV", "MP4") and the stored
// values: the list position of `format`, or -1 when the list has no entry for
// it (ASF); and the format at a list position, or -1 past the list.
int FormatListPosition(std::int32_t format);
std::int32_t FormatAtListPosition(int position);

// The file extension of `format` (".mp4"); empty for a format without file.
QString OutputExtensionOf(std::int32_t format);
// The format whose extension `extension` is (".MKV" or "mkv"), else -1.
std::int32_t FormatOfExtension(const QString& extension);

// `path` with its extension replaced by the one of `format` (".avi", ".wmv",
// ".mkv", ".asf", ".mp4"); only a dot in the file name starts an extension.
// For any other format says "Does not support the video format" and returns
// false, leaving `out` unchanged.
bool SetOutputExtension(std::int32_t format, const QString& path, QString& out);

} // namespace settings
