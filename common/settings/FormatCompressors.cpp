#include "FormatCompressors.h"

#include "CompressorDevices.h"
#include "MuxCompatibility.h"
#include "OutputExtension.h"
#include "OutputSettings.h"

#include <vector>

namespace settings {

bool FormatTakesCompressor(std::int32_t format, CompressorCategory category, std::int32_t entry) {
    if (format != kFormatMp4) {
        return true;
    }
    const media::MajorType type =
        category == CompressorCategory::Video ? media::MajorType::Video : media::MajorType::Audio;
    if (entry == kCompressorNone) {
        return media::FormatTakesEncoder(media::OutputFormat::Mp4, type, {});
    }
    const QString name = EncoderNameAt(category, entry);
    return !name.isEmpty() &&
           media::FormatTakesEncoder(media::OutputFormat::Mp4, type, name.toStdString());
}

std::int32_t Mp4CompressorEntry(CompressorCategory category) {
    const std::vector<const char*> names = category == CompressorCategory::Video
                                               ? std::vector<const char*>{"x264enc"}
                                               : std::vector<const char*>{"avenc_aac", "voaacenc"};
    for (const char* name : names) {
        const std::int32_t entry = EncoderEntry(category, name);
        if (entry >= 0) {
            return entry;
        }
    }
    return -1;
}

} // namespace settings
