#include "CompressorCatalogue.h"

#include "CompressorDevices.h"
#include "Prompts.h"

#include <QComboBox>

namespace settings {

namespace {

constexpr std::int32_t kFailure = static_cast<std::int32_t>(0x80004005u);

QString SyntheticEntry(CompressorCategory category) {
    return category == CompressorCategory::Video ? "Full frames (uncompressed)"
                                                 : "Uncompressed Audio";
}

// Walks the category, reporting a failed walk the way every catalogue call does.
bool WalkCategory(CompressorCategory category, std::vector<CompressorMember>& members) {
    switch (CurrentCompressorDevices().Walk(category, members)) {
    case WalkResult::Ok:
        return true;
    case WalkResult::NoSystemEnumerator:
        uikit::ShowAppMessage(nullptr, "Failed to create system enumerator");
        return false;
    case WalkResult::NoClassEnumerator:
        uikit::ShowAppMessage(nullptr, "Failed to create class enumerator");
        return false;
    }
    return false;
}

// The default search's numbering: a member whose description cannot be opened is
// not counted; one without a name is.
template <typename Matches>
bool FindCounted(const std::vector<CompressorMember>& members, Matches matches,
                 std::int32_t& entry) {
    std::int32_t counter = 0;
    for (const CompressorMember& member : members) {
        if (!member.propertiesOpen) {
            continue;
        }
        if (member.nameRead && matches(member)) {
            entry = counter;
            return true;
        }
        ++counter;
    }
    return false;
}

} // namespace

QString CompressorDisplayName(CompressorCategory category, const QString& elementName) {
    if (elementName.isEmpty()) {
        return SyntheticEntry(category);
    }
    std::vector<CompressorMember> members;
    CurrentCompressorDevices().Walk(category, members);
    for (const CompressorMember& member : members) {
        if (member.elementName == elementName && member.nameRead &&
            !member.friendlyName.isEmpty()) {
            return member.friendlyName;
        }
    }
    return elementName;
}

std::int32_t FillCompressorList(CompressorCategory category, QComboBox& list) {
    list.clear();
    list.addItem(SyntheticEntry(category));
    std::vector<CompressorMember> members;
    if (!WalkCategory(category, members)) {
        list.setCurrentIndex(-1);
        return kFailure;
    }
    for (const CompressorMember& member : members) {
        if (member.propertiesOpen && member.nameRead) {
            list.addItem(member.friendlyName);
        }
    }
    list.setCurrentIndex(0);
    return 0;
}

bool FindDefaultCompressor(CompressorCategory category, std::int32_t& entry) {
    std::vector<CompressorMember> members;
    if (!WalkCategory(category, members)) {
        return false;
    }
    const DefaultCompressorNames& names = CurrentDefaultCompressorNames();
    const QString& preferred =
        category == CompressorCategory::Video ? names.videoName : names.audioName;
    if (FindCounted(
            members,
            [&](const CompressorMember& member) {
                return member.friendlyName.toLower().contains(preferred);
            },
            entry)) {
        return true;
    }
    // The preferred codecs are rarely installed here: take the first installed
    // encoder of a short list, so that a new user does not get uncompressed files.
    const auto& fallbacks =
        category == CompressorCategory::Video ? names.videoFallbacks : names.audioFallbacks;
    for (const QString& fallback : fallbacks) {
        if (FindCounted(
                members,
                [&](const CompressorMember& member) { return member.elementName == fallback; },
                entry)) {
            return true;
        }
    }
    return false;
}

void BindCompressor(CompressorCategory category, std::int32_t entry) {
    CompressorDevices& devices = CurrentCompressorDevices();
    devices.Release(category);
    std::vector<CompressorMember> members;
    if (!WalkCategory(category, members)) {
        return;
    }
    // The binder counts every member, readable or not.
    if (entry < 0 || entry >= static_cast<std::int32_t>(members.size())) {
        return;
    }
    if (!devices.Bind(category, entry)) {
        uikit::ShowAppMessage(nullptr, "Failed to bind to object");
    }
}

void ReleaseCompressor(CompressorCategory category) {
    CurrentCompressorDevices().Release(category);
}

void ReleaseCompressors() {
    ReleaseCompressor(CompressorCategory::Video);
    ReleaseCompressor(CompressorCategory::Audio);
}

bool CompressorBound(CompressorCategory category) {
    return CurrentCompressorDevices().Bound(category);
}

} // namespace settings
