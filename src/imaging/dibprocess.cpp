#include "imaging/dibprocess.h"

#include "platform/syscolors.h"
#include "platform/vberror.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Nearest whole number, halves to the even one.
inline qint64 roundEven(double v) { return qint64(std::nearbyint(v)); }

}  // namespace

void cDIBProcess::RotateDIB(std::shared_ptr<cDIBSection1>& DIB, float Angle, quint32 BackClr) {
    QElapsedTimer timer;
    timer.start();
    const std::shared_ptr<cDIBSection1> source = DIB;
    const bool held = source && source->DIBSectionBitsPtr();
    const int w = held ? source->Width() : 0;
    const int h = held ? source->Height() : 0;

    const double pi = 4 * std::atan(1.0);
    const float a = float(-double(Angle) * pi / 180);
    const float c = float(std::cos(double(a)));
    const float s = float(std::sin(double(a)));

    // Turned corners; the corner (0, 0) stays where it is.
    const qint64 x1 = roundEven(double(c) * (w - 1)), y1 = roundEven(double(s) * (w - 1));
    const qint64 x2 = roundEven(-double(s) * (h - 1)), y2 = roundEven(double(c) * (h - 1));
    const qint64 x3 = roundEven(double(c) * (w - 1) - double(s) * (h - 1));
    const qint64 y3 = roundEven(double(s) * (w - 1) + double(c) * (h - 1));
    const qint64 minX = std::min({qint64(0), x1, x2, x3}), maxX = std::max({qint64(0), x1, x2, x3});
    const qint64 minY = std::min({qint64(0), y1, y2, y3}), maxY = std::max({qint64(0), y1, y2, y3});
    const int newW = int(maxX - minX + 1), newH = int(maxY - minY + 1);

    if (InitProgress) InitProgress(newH - 1);
    auto turned = std::make_shared<cDIBSection1>();
    if (!turned->Create(newW, newH)) throw VbError(VbError::OutOfMemory, QStringLiteral("Out of memory"));

    const quint32 back = TranslateOleColor(BackClr);
    const quint32 background = quint32(BlueOf(back)) | quint32(GreenOf(back)) << 8 | quint32(RedOf(back)) << 16;

    // Pixels as 32-bit units in memory order: y = 0 is the picture's bottom row.
    const quint32* from = held ? reinterpret_cast<const quint32*>(source->DIBSectionBitsPtr()) : nullptr;
    quint32* to = reinterpret_cast<quint32*>(turned->DIBSectionBitsPtr());

    // A quarter or half turn: one of cos and sin is exactly ±1 and the other so small that its
    // products never move a position by half a pixel, so whole-number steps give the same pixels.
    const double reach = double(std::max(std::abs(minX), std::abs(maxX)) + std::max(std::abs(minY), std::abs(maxY)));
    const bool exactTurn = (std::abs(c) == 1.0f && std::abs(double(s)) * reach < 0.25) ||
                           (std::abs(s) == 1.0f && std::abs(double(c)) * reach < 0.25);
    const int ic = exactTurn ? int(roundEven(c)) : 0, is = exactTurn ? int(roundEven(s)) : 0;

    for (int y = 0; y < newH; ++y) {
        const qint64 v = y + minY;
        quint32* out = to + qsizetype(y) * newW;
        if (exactTurn) {
            qint64 sx = ic * minX + is * v, sy = ic * v - is * minX;
            for (int x = 0; x < newW; ++x, sx += ic, sy -= is)
                out[x] = (sx >= 0 && sx < w && sy >= 0 && sy < h) ? from[sy * w + sx] : background;
        } else {
            const double sv = double(s) * v, cv = double(c) * v;
            for (int x = 0; x < newW; ++x) {
                const double u = double(x + minX);
                const qint64 sx = roundEven(double(c) * u + sv);
                const qint64 sy = roundEven(cv - double(s) * u);
                out[x] = (sx >= 0 && sx < w && sy >= 0 && sy < h) ? from[sy * w + sx] : background;
            }
        }
        if (Progress) Progress(y);
    }
    DIB = std::move(turned);
    if (Complete) Complete(int(timer.elapsed()));
}
