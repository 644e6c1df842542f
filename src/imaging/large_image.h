#pragma once

// Pictures the size of a screen get memory of their own (see
// platform/large_memory.h), so that filling them costs few page faults.

#include <QImage>

namespace murva {

// An image of the size and format; its pixels are not set. Falls back to an
// ordinary image when the memory cannot be had that way.
QImage NewLargeImage(int width, int height, QImage::Format format);

}  // namespace murva
