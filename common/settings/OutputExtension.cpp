#include "OutputExtension.h"

#include "Prompts.h"

#include <array>

namespace settings {

namespace {

constexpr std::array kListedFormats = {kFormatAvi, kFormatWmv, kFormatMkv, kFormatMp4};

const char* ExtensionOf(std::int32_t format) {
    switch (format) {
    case kFormatAvi:
        return ".avi";
    case kFormatWmv:
        return ".wmv";
    case kFormatMkv:
        return ".mkv";
    case kFormatAsf:
        return ".asf";
    case kFormatMp4:
        return ".mp4";
    default:
        return nullptr;
    }
}

} // namespace

QString OutputExtensionOf(std::int32_t format) {
    return QString::fromLatin1(ExtensionOf(format));
}

std::int32_t FormatOfExtension(const QString& extension) {
    const QString dotted = extension.startsWith('.') ? extension : '.' + extension;
    for (const std::int32_t format : {kFormatAvi, kFormatWmv, kFormatMkv, kFormatAsf, kFormatMp4}) {
        if (dotted.compare(QLatin1String(ExtensionOf(format)), Qt::CaseInsensitive) == 0) {
            return format;
        }
    }
    return -1;
}

bool WritesFile(std::int32_t format) {
    return ExtensionOf(format) != nullptr;
}

int FormatListPosition(std::int32_t format) {
    for (std::size_t i = 0; i < kListedFormats.size(); ++i) {
        if (kListedFormats[i] == format) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::int32_t FormatAtListPosition(int position) {
    return position >= 0 && position < static_cast<int>(kListedFormats.size())
               ? kListedFormats[static_cast<std::size_t>(position)]
               : -1;
}

bool SetOutputExtension(std::int32_t format, const QString& path, QString& out) {
    const char* extension = ExtensionOf(format);
    if (extension == nullptr) {
        uikit::ShowError(nullptr, "Does not support the video format");
        return false;
    }
    // A dot in a folder name is no extension: cutting there would move the file.
    const qsizetype lastSeparator = path.lastIndexOf('/');
    const qsizetype lastDot = path.lastIndexOf('.');
    const QString stem = lastDot > lastSeparator ? path.left(lastDot) : path;
    out = stem + extension;
    return true;
}

} // namespace settings
