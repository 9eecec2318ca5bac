#pragma once

namespace kestrix::Twips {

// The windows are laid out in twips, 1440 to the inch: 15 to a logical pixel
// at 96 dots per inch. Qt scales logical pixels on high-density screens.
inline constexpr int PerPixel = 15;

constexpr int toPixels(int twips) {
    return twips / PerPixel;
}

}  // namespace kestrix::Twips
