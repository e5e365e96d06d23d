#pragma once

#include <QRect>
#include <QSize>

namespace veltrano {

// Where the picture of a `nativeVideo`-sized video goes on a `screen`-sized full
// screen: ten times the native size, centred, when that fits; otherwise as large
// as fits with the video's aspect ratio kept, centred in the other direction.
// An empty video gets an empty rectangle.
QRect FullScreenVideoRect(QSize nativeVideo, QSize screen);

} // namespace veltrano
