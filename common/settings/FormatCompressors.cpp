#include "FormatCompressors.h"

#include "CompressorDevices.h"
#include "MuxCompatibility.h"
#include "OutputExtension.h"
#include "OutputSettingsStore.h"

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

namespace {

// The first installed of `names`, else -1.
std::int32_t FirstInstalled(CompressorCategory category, const std::vector<const char*>& names) {
    for (const char* name : names) {
        const std::int32_t entry = EncoderEntry(category, name);
        if (entry >= 0) {
            return entry;
        }
    }
    return -1;
}

// The Windows Media encoders, which an ASF file holds.
std::int32_t AsfCompressorEntry(CompressorCategory category) {
    return FirstInstalled(category,
                          {category == CompressorCategory::Video ? "avenc_wmv2" : "avenc_wmav2"});
}

} // namespace

std::int32_t Mp4CompressorEntry(CompressorCategory category) {
    return FirstInstalled(category, category == CompressorCategory::Video
                                        ? std::vector<const char*>{"x264enc"}
                                        : std::vector<const char*>{"avenc_aac", "voaacenc"});
}

void ProposeCompressorsFor(std::int32_t format, OutputSettings& settings) {
    if (format != kFormatMp4 && format != kFormatAsf) {
        return;
    }
    const media::OutputFormat container =
        format == kFormatMp4 ? media::OutputFormat::Mp4 : media::OutputFormat::Asf;
    for (const CompressorKeys& compressor : kCompressorKeys) {
        const media::Element bound = CurrentCompressorDevices().Filter(compressor.category);
        const std::string encoder =
            settings.*compressor.useFlag != 0 && bound ? bound.FactoryName() : std::string();
        const media::MajorType type = compressor.category == CompressorCategory::Video
                                          ? media::MajorType::Video
                                          : media::MajorType::Audio;
        if (media::FormatTakesEncoder(container, type, encoder)) {
            continue;
        }
        const std::int32_t proposed = format == kFormatMp4
                                          ? Mp4CompressorEntry(compressor.category)
                                          : AsfCompressorEntry(compressor.category);
        if (proposed >= 0) {
            BindCompressor(compressor.category, proposed);
            settings.*compressor.useFlag = 1;
            settings.*compressor.chosenEntry = proposed;
        }
    }
}

} // namespace settings
