#include "DialogUnits.h"

#include <QFontMetrics>
#include <cmath>

namespace uikit {

namespace {

// a × b ÷ c rounded to the nearest integer, halves away from zero.
int MulDivRounded(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

} // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width over the 52 Latin letters, rounded, as dialog managers
    // compute their base unit.
    const int lettersWidth =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseWidth_ = (lettersWidth / 26 + 1) / 2;
    baseHeight_ = metrics.height();
}

int DialogUnits::ToPixelsX(int units) const {
    return MulDivRounded(units, baseWidth_, 4);
}

int DialogUnits::ToPixelsY(int units) const {
    return MulDivRounded(units, baseHeight_, 8);
}

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const {
    const int left = ToPixelsX(x);
    const int top = ToPixelsY(y);
    // Convert the far edge too, so adjacent controls stay adjacent after rounding.
    return QRect(left, top, ToPixelsX(x + width) - left, ToPixelsY(y + height) - top);
}

} // namespace uikit
