// Writing a picture as the bytes of an uncompressed BMP file in one pass, in
// pieces of about a megabyte, so that a screen-sized picture never exists a
// second time in memory as file bytes.
#pragma once

#include <QImage>

#include "settings/atomic_file.h"

namespace murva {

// Appends the BMP file of the picture: a 32-bit picture with 24 bits per
// pixel, an indexed one with its colour table (4 bits per pixel for at most
// 16 colours, else 8), rows from the bottom, as the image library's BMP
// writer lays them out byte for byte. Returns false when a piece could not
// be appended or the picture is empty.
bool AppendBmpFile(const QImage& picture, const FileAppender& append);

}  // namespace murva
