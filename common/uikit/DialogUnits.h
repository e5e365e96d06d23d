#pragma once

#include <QFont>
#include <QRect>

namespace uikit {

// Converts dialog units to pixels from a font's metrics, as dialog templates
// expect: a horizontal unit is a quarter of the average character width, a
// vertical unit an eighth of the character height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseWidth, int baseHeight) : baseWidth_(baseWidth), baseHeight_(baseHeight) {}

    int baseWidth() const { return baseWidth_; }
    int baseHeight() const { return baseHeight_; }

    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    QRect ToPixels(int x, int y, int width, int height) const;

private:
    int baseWidth_;
    int baseHeight_;
};

} // namespace uikit
