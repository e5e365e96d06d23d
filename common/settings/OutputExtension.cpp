#include "OutputExtension.h"

#include "Prompts.h"

namespace settings {

bool SetOutputExtension(std::int32_t format, const QString& path, QString& out) {
    static const char* const kExtensions[] = {".avi", ".wmv", ".mkv", ".asf"};
    if (format < kFormatAvi || format > kFormatAsf) {
        uikit::ShowError(nullptr, "Does not support the video format");
        return false;
    }
    // A dot in a folder name is no extension: cutting there would move the file.
    const qsizetype lastSeparator = path.lastIndexOf('/');
    const qsizetype lastDot = path.lastIndexOf('.');
    const QString stem = lastDot > lastSeparator ? path.left(lastDot) : path;
    out = stem + kExtensions[format];
    return true;
}

} // namespace settings
