#pragma once

// Loads the description of a source file (streams, lengths) for the timeline.

#include "Handle.h"
#include "Result.h"

#include <ges/ges.h>

#include <string>

namespace media::internal {

// The file's URI: absolute, with every reserved or non-ASCII byte escaped.
std::string PathToUri(const std::string& path);

// errorText receives the framework's reason when it gives one.
Result RequestSourceAsset(const std::string& path, Handle<GESAsset>& asset, std::string* errorText);

} // namespace media::internal
