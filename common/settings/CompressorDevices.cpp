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

std::int32_t EncoderEntry(CompressorCategory category, const QString& elementName) {
    std::vector<CompressorMember> members;
    CurrentCompressorDevices().Walk(category, members);
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (members[i].elementName == elementName) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

QString EncoderNameAt(CompressorCategory category, std::int32_t entry) {
    std::vector<CompressorMember> members;
    CurrentCompressorDevices().Walk(category, members);
    return entry >= 0 && entry < static_cast<std::int32_t>(members.size())
               ? members[static_cast<std::size_t>(entry)].elementName
               : QString();
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
