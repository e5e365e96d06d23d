#include "SubtitleFilterLoad.h"

#include "SubtitleFilter.h"

#include <QSettings>
#include <memory>

namespace caspari {

namespace {

constexpr auto kGroup = media::kSubtitleFilterSettingsGroup;
constexpr auto kLoadLevel = media::kSubtitleFilterLoadLevelKey;

// The filter's settings group, open for reading and writing; null when the group
// does not exist (the filter was never set up for this user).
std::unique_ptr<QSettings> OpenFilterKey() {
    auto store =
        std::make_unique<QSettings>(QSettings::UserScope, media::kSubtitleFilterOrganization,
                                    media::kSubtitleFilterApplication);
    if (!store->childGroups().contains(kGroup)) {
        return nullptr;
    }
    store->beginGroup(kGroup);
    return store;
}

bool ReadLoadLevel(const QSettings& key, std::uint32_t& value) {
    if (!key.contains(kLoadLevel)) {
        return false;
    }
    bool isNumber = false;
    const qulonglong read = key.value(kLoadLevel).toULongLong(&isNumber);
    if (!isNumber) {
        return false;
    }
    value = static_cast<std::uint32_t>(read);
    return true;
}

} // namespace

void ForceSubtitleFilterLoad(SubtitleFilterLoad& load) {
    std::unique_ptr<QSettings> key = OpenFilterKey();
    if (!key) {
        return;
    }
    if (ReadLoadLevel(*key, load.savedLoadLevel) && load.savedLoadLevel != 0) {
        key->setValue(kLoadLevel, 0);
        key->sync();
        load.loadLevelChanged = true;
    }
}

void RestoreSubtitleFilterLoad(SubtitleFilterLoad& load) {
    if (!load.loadLevelChanged) {
        return;
    }
    if (std::unique_ptr<QSettings> key = OpenFilterKey()) {
        std::uint32_t current = 0;
        if (ReadLoadLevel(*key, current)) {
            key->setValue(kLoadLevel, load.savedLoadLevel);
            key->sync();
        }
    }
    load.loadLevelChanged = false;
}

} // namespace caspari
