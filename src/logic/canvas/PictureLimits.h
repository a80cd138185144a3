#pragma once

// The largest picture a file may bring, whatever its format: far above any
// LCD, and the largest side the 16-bit fields of older formats hold.
namespace PictureLimits {

constexpr int LargestSide = 32767;

} // namespace PictureLimits
