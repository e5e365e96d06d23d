#include "FullScreenFit.h"

#include <cstdint>

namespace veltrano {

namespace {

constexpr int kEnlargement = 10;

// Centres `size` in `available`: the offset truncates toward zero and the placed
// extent is what is left between the two equal margins.
struct Span {
    int offset;
    int extent;
};

Span Centre(int size, int available) {
    const int offset = (available - size) / 2;
    return {offset, available - 2 * offset};
}

QRect Place(Span horizontal, Span vertical) {
    return {horizontal.offset, vertical.offset, horizontal.extent, vertical.extent};
}

} // namespace

QRect FullScreenVideoRect(QSize nativeVideo, QSize screen) {
    if (nativeVideo.isEmpty()) {
        return {};
    }
    // 64 bits: the cross products below exceed int for large sizes.
    const std::int64_t width = std::int64_t{nativeVideo.width()} * kEnlargement;
    const std::int64_t height = std::int64_t{nativeVideo.height()} * kEnlargement;
    const int screenWidth = screen.width();
    const int screenHeight = screen.height();
    const bool tooWide = width > screenWidth;
    const bool tooHigh = height > screenHeight;
    if (!tooWide && !tooHigh) {
        return Place(Centre(static_cast<int>(width), screenWidth),
                     Centre(static_cast<int>(height), screenHeight));
    }
    // screenWidth / width < screenHeight / height, without rounding.
    const bool widthLimits =
        tooWide && (!tooHigh || std::int64_t{screenWidth} * height < screenHeight * width);
    if (widthLimits) {
        // Height = screen width / aspect ratio.
        const auto fitted = static_cast<int>(screenWidth * height / width);
        return Place({0, screenWidth}, Centre(fitted, screenHeight));
    }
    // Width = screen height * aspect ratio.
    const auto fitted = static_cast<int>(screenHeight * width / height);
    return Place(Centre(fitted, screenWidth), {0, screenHeight});
}

} // namespace veltrano
