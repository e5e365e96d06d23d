#pragma once

// Translates the framework's error reports into this layer's result codes.

#include "Result.h"

#include <gst/gst.h>

#include <string>

namespace media::internal {

// debug is the developer detail attached to an error message; may be null.
Result ResultFromError(const GError* error, const char* debug);

// Result of a failed file access (errno value) before any element touches it.
Result ResultFromErrno(int error);

Result ResultFromLinkReturn(GstPadLinkReturn link);

// Checks that a file can be read as media input: exists, is readable and not empty.
Result CheckInputFile(const std::string& path);

} // namespace media::internal
