#include "CompressorDevices.h"

#include "InstalledCompressors.h"

#include <memory>

namespace settings {

namespace {

CompressorDevices*& Replacement() {
    static CompressorDevices* replacement = nullptr;
    return replacement;
}

DefaultCompressorNames& DefaultNames() {
    static DefaultCompressorNames names;
    return names;
}

} // namespace

CompressorDevices& CurrentCompressorDevices() {
    static const std::unique_ptr<CompressorDevices> installed = MakeInstalledCompressorDevices();
    CompressorDevices* replacement = Replacement();
    return replacement != nullptr ? *replacement : *installed;
}

ScopedCompressorDevices::ScopedCompressorDevices(CompressorDevices& replacement)
    : previous_(Replacement()) {
    Replacement() = &replacement;
}

ScopedCompressorDevices::~ScopedCompressorDevices() {
    Replacement() = previous_;
}

void SetDefaultCompressorNames(const DefaultCompressorNames& names) {
    DefaultNames() = names;
}

const DefaultCompressorNames& CurrentDefaultCompressorNames() {
    return DefaultNames();
}

} // namespace settings
