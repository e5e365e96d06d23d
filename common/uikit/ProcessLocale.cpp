#include "ProcessLocale.h"

#include <QLocale>
#include <clocale>
#include <optional>
#include <utility>

namespace uikit {

namespace {

// Used from the UI thread only.
int holds = 0;
std::optional<std::pair<QString, QString>> pending;

void ApplyProcessLocale(const QString& runtimeTag, const QString& defaultTag) {
    bool runtimeSet = false;
    if (!runtimeTag.isEmpty()) {
        // The C runtime wants a POSIX name with its territory, e.g. de_DE.UTF-8.
        const QByteArray posixName = (QLocale(runtimeTag).name() + ".UTF-8").toLatin1();
        runtimeSet = std::setlocale(LC_ALL, posixName.constData()) != nullptr;
    }
    if (!runtimeSet) {
        std::setlocale(LC_ALL, "");
    }
    QLocale::setDefault(QLocale(defaultTag));
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace

void SetProcessLocale(const QString& runtimeTag, const QString& defaultTag) {
    if (holds > 0) {
        pending.emplace(runtimeTag, defaultTag);
        return;
    }
    ApplyProcessLocale(runtimeTag, defaultTag);
}

ProcessLocaleHold::ProcessLocaleHold() {
    ++holds;
}

ProcessLocaleHold::~ProcessLocaleHold() {
    if (--holds == 0 && pending) {
        const auto [runtimeTag, defaultTag] = *std::exchange(pending, std::nullopt);
        ApplyProcessLocale(runtimeTag, defaultTag);
    }
}

} // namespace uikit
