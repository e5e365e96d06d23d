#include "Profile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace uikit {

namespace {
constexpr auto kOrganisation = "TarnwickStudio";

std::shared_ptr<QSettings>& ApplicationStore() {
    static std::shared_ptr<QSettings> store;
    return store;
}
} // namespace

Profile Profile::Application() {
    std::shared_ptr<QSettings>& store = ApplicationStore();
    if (!store) {
        store = std::make_shared<QSettings>(kOrganisation, ApplicationName());
    }
    return Profile(store);
}

void Profile::CloseApplicationStore() {
    std::shared_ptr<QSettings>& store = ApplicationStore();
    if (store) {
        store->sync();
        store.reset();
    }
}

Profile::Profile(QString organisation, QString application, QString groupPrefix)
    : store_(std::make_shared<QSettings>(organisation, application)),
      groupPrefix_(std::move(groupPrefix)) {}

Profile::Profile(std::shared_ptr<QSettings> store) : store_(std::move(store)) {}

namespace {

// The name among `existing` that equals `wanted` ignoring case, else `wanted`:
// section and value names compare like that in the store the programs were
// made for, and a name keeps the spelling it was first written with.
QString Existing(const QStringList& existing, const QString& wanted) {
    for (const QString& name : existing) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
            return name;
        }
    }
    return wanted;
}

} // namespace

QString Profile::KeyPath(const QString& section, const QString& key) const {
    QSettings& settings = *store_;
    QStringList groups;
    if (!groupPrefix_.isEmpty()) {
        groups << groupPrefix_;
    }
    if (!section.isEmpty()) {
        groups << section;
    }
    QString path;
    for (const QString& group : groups) {
        const QString found = Existing(settings.childGroups(), group);
        settings.beginGroup(found);
        path += found + '/';
    }
    path += Existing(settings.childKeys(), key);
    for (qsizetype i = 0; i < groups.size(); ++i) {
        settings.endGroup();
    }
    return path;
}

std::int32_t Profile::GetInt(const QString& section, const QString& key,
                             std::int32_t fallback) const {
    const QVariant value = store_->value(KeyPath(section, key));
    if (!value.isValid()) {
        return fallback;
    }
    bool ok = false;
    const qlonglong wide = value.toString().trimmed().toLongLong(&ok);
    if (ok) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(wide));
    }
    const qulonglong unsignedWide = value.toString().trimmed().toULongLong(&ok);
    if (ok) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(unsignedWide));
    }
    return fallback;
}

QString Profile::GetString(const QString& section, const QString& key,
                           const QString& fallback) const {
    const QVariant value = store_->value(KeyPath(section, key));
    // A hand-written INI line holding commas reads back as a list: rejoin what was typed.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(", ");
    }
    if (value.typeId() != QMetaType::QString && value.typeId() != QMetaType::QByteArray &&
        value.typeId() != QMetaType::Int && value.typeId() != QMetaType::LongLong) {
        return fallback;
    }
    return value.toString();
}

bool Profile::Contains(const QString& section, const QString& key) const {
    return store_->contains(KeyPath(section, key));
}

void Profile::WriteInt(const QString& section, const QString& key, std::int32_t value) {
    store_->setValue(KeyPath(section, key), value);
}

void Profile::WriteString(const QString& section, const QString& key, const QString& value) {
    store_->setValue(KeyPath(section, key), value);
}

QString Profile::Folder() const {
    return QFileInfo(store_->fileName()).absolutePath();
}

void Profile::Save() {
    store_->sync();
}

QString ApplicationName() {
    const QString name = QCoreApplication::applicationName();
    if (!name.isEmpty()) {
        return name;
    }
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace uikit
