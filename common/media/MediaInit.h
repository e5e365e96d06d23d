#pragma once

#include "Result.h"

namespace media {

// Brings up the media framework for this process. Safe to call more than once.
// The first call also tunes the process's memory allocator for the streaming
// threads (see MediaInit.cpp). Returns S_OK on success, a negative result code
// on failure.
Result Initialize();

// Hands the memory that freed graphs left in the allocator back to the system.
// Cheap enough to call after each graph's teardown.
void ReleaseFreedMemory();

// Shuts the framework down and frees its process-wide caches, so leak checkers
// see only what is really left over. Call once at process end, after every
// graph and timeline is gone; the framework cannot be initialized again.
void Uninitialize();

} // namespace media
