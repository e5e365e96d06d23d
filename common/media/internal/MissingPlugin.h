#pragma once

// Readable text for the framework's "missing plugin" messages, naming the
// Debian package that provides what is missing.

#include <gst/gst.h>

#include <string>

namespace media::internal {

// The Debian package that ships the missing piece a missing-plugin message
// asks for; empty when it is not known.
std::string PackageForMissingPlugin(GstMessage* message);

// "<what> is missing; install the Debian package <package>." for a
// missing-plugin message; empty for any other message.
std::string DescribeMissingPlugin(GstMessage* message);

} // namespace media::internal
