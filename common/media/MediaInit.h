#pragma once

#include "Result.h"

namespace media {

// Brings up the media framework for this process. Safe to call more than once.
// Returns S_OK on success, a negative result code on failure.
Result Initialize();

// Shuts the framework down and frees its process-wide caches, so leak checkers
// see only what is really left over. Call once at process end, after every
// graph and timeline is gone; the framework cannot be initialized again.
void Uninitialize();

} // namespace media
