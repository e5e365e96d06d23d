#pragma once

// The installed compressors of one category, in a stable order (by factory
// name), each with a friendly name and a way to create an instance.

#include "Element.h"
#include "Result.h"

#include <string>
#include <vector>

namespace media {

enum class EncoderCategory { Video, Audio };

struct EncoderInfo {
    std::string factoryName;  // e.g. "avenc_mpeg4"
    std::string friendlyName; // the factory's long name
};

class EncoderCatalogue {
public:
    static std::vector<EncoderInfo> Enumerate(EncoderCategory category);
    // A new instance of entry index: S_OK; S_FALSE and an empty Element past the
    // end; a failure when the entry exists but cannot be created.
    static Result Create(EncoderCategory category, int index, Element& encoder);
};

} // namespace media
