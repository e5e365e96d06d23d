#pragma once

#include "CompressorCatalogue.h"
#include "Element.h"

#include <QString>
#include <vector>

namespace settings {

// One member of a compressor category as a walk of the category sees it.
struct CompressorMember {
    bool propertiesOpen = true; // its description can be read at all
    bool nameRead = true;       // the description holds a friendly name
    QString friendlyName;
    QString elementName; // the encoder's own name, e.g. avenc_mpeg4
};

enum class WalkResult { Ok, NoSystemEnumerator, NoClassEnumerator };

// The installed compressors and the two process-wide filter slots they are
// bound into. The catalogue does the counting and the reporting; this does the
// platform's part.
class CompressorDevices {
public:
    virtual ~CompressorDevices() = default;

    // All members of the category in the platform's stable order.
    virtual WalkResult Walk(CompressorCategory category,
                            std::vector<CompressorMember>& members) = 0;
    // Binds member `index` (counted over every member) into the category's slot,
    // which the caller has emptied. False when binding failed.
    virtual bool Bind(CompressorCategory category, int index) = 0;
    virtual void Release(CompressorCategory category) = 0;
    virtual bool Bound(CompressorCategory category) const = 0;
    // The filter in the category's slot; empty when none is bound.
    virtual media::Element Filter(CompressorCategory category) const = 0;
};

// The devices in force: the installed encoders unless replaced.
CompressorDevices& CurrentCompressorDevices();

// The entry number, counted over every member as binding counts, of the
// installed encoder whose own name is `elementName`; -1 when there is none.
std::int32_t EncoderEntry(CompressorCategory category, const QString& elementName);

// The encoder's own name of entry `entry`, counted the same way; empty for an
// entry that names no installed encoder.
QString EncoderNameAt(CompressorCategory category, std::int32_t entry);

// Replaces the devices in force while the object lives (tests).
class ScopedCompressorDevices {
public:
    explicit ScopedCompressorDevices(CompressorDevices& replacement);
    ~ScopedCompressorDevices();
    ScopedCompressorDevices(const ScopedCompressorDevices&) = delete;
    ScopedCompressorDevices& operator=(const ScopedCompressorDevices&) = delete;

private:
    CompressorDevices* previous_;
};

// The names a program searches for its default compressors: the first is the
// preferred name, matched as a part of the lower-cased friendly name; the
// others are encoder names tried in order when it matches nothing.
struct DefaultCompressorNames {
    QString videoName = "divx";
    QString audioName = "microsoft adpcm";
    std::vector<QString> videoFallbacks = {"avenc_mpeg4", "x264enc"};
    std::vector<QString> audioFallbacks = {"lamemp3enc", "adpcmenc"};
};

void SetDefaultCompressorNames(const DefaultCompressorNames& names);
const DefaultCompressorNames& CurrentDefaultCompressorNames();

} // namespace settings
