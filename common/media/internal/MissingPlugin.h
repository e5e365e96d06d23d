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

// "<factory> is missing; install the Debian package <package>." for an element
// the layer needs by name (the package part left out when unknown).
std::string DescribeMissingElement(const char* factoryName);

} // namespace media::internal
