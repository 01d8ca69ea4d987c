#pragma once
// The demo's Flash movie, written here as an SWF file of our own: on a blue ground a white diamond
// stays in the middle while a square goes round the corners, changing colour each frame (four
// frames at two frames a second, looping).
#include <QByteArray>
#include <QRgb>

namespace emu {

inline constexpr int kDemoMovieSize = 120;  // pixels, square
inline constexpr QRgb kDemoMovieGround = 0xFF2B5FA8;
inline constexpr QRgb kDemoMovieDiamond = 0xFFFFFFFF;
inline constexpr QRgb kDemoMovieSquares[] = {0xFFE53935, 0xFFFDD835, 0xFF43A047, 0xFF8E24AA};

// The movie's bytes (an uncompressed SWF of version 8).
QByteArray DemoFlashMovie();

}  // namespace emu
