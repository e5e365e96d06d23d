#include "OutputSettings.h"

#include <cmath>
#include <cstdlib>

namespace settings {

double LeadingNumber(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    // The numeric locale is kept "C", so strtod always reads a decimal point.
    const double value = std::strtod(bytes.constData(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

} // namespace settings
