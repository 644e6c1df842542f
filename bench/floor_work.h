// The physical floor of one wallpaper build, done in the benchmark's own
// process: decode the JPEG background with TurboJPEG and write it as a 24-bit
// bottom-up BMP file, nothing else. Every stage of the real build is measured
// against it.
#pragma once

#include <filesystem>

namespace murva::bench {

// Whether the floor could be built (TurboJPEG was found).
bool FloorAvailable();

// Decodes `jpeg` and writes `bmp`; false when either fails.
bool FloorBuild(const std::filesystem::path& jpeg, const std::filesystem::path& bmp);

}  // namespace murva::bench
