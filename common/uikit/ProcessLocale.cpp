#include "ProcessLocale.h"

#include <QLocale>
#include <clocale>

namespace uikit {

void SetProcessLocale(const QString& runtimeTag, const QString& defaultTag) {
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

} // namespace uikit
