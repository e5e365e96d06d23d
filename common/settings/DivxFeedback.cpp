#include "DivxFeedback.h"

#include <QSettings>

namespace settings {

void WriteDivxFeedbackSwitch() {
    QSettings codec("DivXNetworks", "DivX4Windows");
    const QString key = "Disable feedback";
    if (!codec.contains(key)) {
        return;
    }
    const QVariant value = codec.value(key);
    bool isNumber = false;
    const qlonglong number = value.toString().toLongLong(&isNumber);
    if (isNumber) {
        // A number is a little-endian DWORD: its first byte is the low one.
        const auto dword = static_cast<quint32>(number);
        codec.setValue(key, static_cast<qlonglong>((dword & ~0xFFu) | 1u));
        return;
    }
    // Text keeps its length; an empty text still holds its terminator byte.
    QByteArray bytes = value.toString().toUtf8();
    if (bytes.isEmpty()) {
        bytes.append('\0');
    }
    bytes[0] = '\x01';
    codec.setValue(key, QString::fromUtf8(bytes));
}

} // namespace settings
