#pragma once
// Sizes and positions the windows' designs give in twips, converted at the widget: 15 twips make
// one pixel.
#include <cmath>

namespace twips {
inline constexpr int kPerPixel = 15;
// Twips in a millimetre as the designs count them (1440 / 25.4, rounded to 56.7).
inline constexpr double kPerMillimetre = 56.7;
// Twips to the nearest whole pixel.
inline int ToPixels(double twips) { return static_cast<int>(std::lround(twips / kPerPixel)); }
inline int FromPixels(int pixels) { return pixels * kPerPixel; }
}  // namespace twips
