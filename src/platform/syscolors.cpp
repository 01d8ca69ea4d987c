#include "platform/syscolors.h"

#include <array>

namespace {
constexpr quint32 rgb(int r, int g, int b) { return quint32(r) | quint32(g) << 8 | quint32(b) << 16; }

constexpr std::array<quint32, 31> kSystemColors = {
    rgb(200, 200, 200),  // scroll bar
    rgb(0, 0, 0),        // desktop
    rgb(153, 180, 209),  // active caption
    rgb(191, 205, 219),  // inactive caption
    rgb(240, 240, 240),  // menu
    rgb(255, 255, 255),  // window
    rgb(100, 100, 100),  // window frame
    rgb(0, 0, 0),        // menu text
    rgb(0, 0, 0),        // window text
    rgb(0, 0, 0),        // caption text
    rgb(180, 180, 180),  // active border
    rgb(244, 247, 252),  // inactive border
    rgb(171, 171, 171),  // application workspace
    rgb(51, 153, 255),   // highlight
    rgb(255, 255, 255),  // highlight text
    rgb(240, 240, 240),  // button face
    rgb(160, 160, 160),  // button shadow
    rgb(109, 109, 109),  // grey text
    rgb(0, 0, 0),        // button text
    rgb(0, 0, 0),        // inactive caption text
    rgb(255, 255, 255),  // button highlight
    rgb(105, 105, 105),  // 3-D dark shadow
    rgb(227, 227, 227),  // 3-D light
    rgb(0, 0, 0),        // tooltip text
    rgb(255, 255, 225),  // tooltip background
    rgb(0, 0, 0),        // (unused)
    rgb(0, 102, 204),    // hot-tracked item
    rgb(185, 209, 234),  // active caption gradient
    rgb(215, 228, 242),  // inactive caption gradient
    rgb(51, 153, 255),   // menu highlight
    rgb(240, 240, 240),  // menu bar
};
}  // namespace

quint32 GetSysColor(int index) {
    return index >= 0 && index < int(kSystemColors.size()) ? kSystemColors[size_t(index)] : 0;
}

quint32 TranslateOleColor(quint32 oleColor) {
    if ((oleColor & 0xFF000000u) == 0x80000000u) return GetSysColor(int(oleColor & 0xFF));
    return oleColor;
}

QColor OleColorToQColor(quint32 oleColor) {
    const quint32 c = TranslateOleColor(oleColor);
    return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}
