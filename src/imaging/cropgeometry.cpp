#include "imaging/cropgeometry.h"

#include "platform/twips.h"
#include "platform/vbtext.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

// A label's text as the old runtime's whole-number reading of it: rounded half to even; nothing
// when it is no number or outside the range of the given type.
template <typename Int>
std::optional<Int> wholeNumber(const QString& text) {
    const auto v = CropGeometry::numberOf(text);
    if (!v) return std::nullopt;
    const double r = double(vb::RoundHalfEven(*v));
    if (r < double(std::numeric_limits<Int>::min()) || r > double(std::numeric_limits<Int>::max())) return std::nullopt;
    return Int(r);
}

// A position or size as a label holds it: "4500", "3150.5".
QString asText(double v) { return QString::number(v, 'g', 15); }

}  // namespace

std::optional<double> CropGeometry::numberOf(const QString& text) {
    const QString t = vb::Trim(text);
    if (!vb::IsNumeric(t)) return std::nullopt;
    const double v = vb::Val(t);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

void CropGeometry::load(double frameWidth, double frameHeight, double pictureWidth, double pictureHeight) {
    frame.width = frameWidth;
    frame.height = frameHeight;
    picture.width = pictureWidth;
    picture.height = pictureHeight;
    // The canvas leaves 30 twips around the frame; a scroll bar's maximum is a 16-bit number, and
    // one beyond it is not set.
    if (canvas.width - 60 < frame.width) {
        canvas.width = frame.width + 60;
        scrWEnabled = true;
        if (const auto max = wholeNumber<qint16>(asText(canvas.width - viewportWidth))) scrWMax = *max;
    }
    if (canvas.height - 60 < frame.height) {
        canvas.height = frame.height + 60;
        scrHEnabled = true;
        if (const auto max = wholeNumber<qint16>(asText(canvas.height - viewportHeight))) scrHMax = *max;
    }
    frame.left = (canvas.width - frame.width) / 2;
    frame.top = (canvas.height - frame.height) / 2;
    takePicture(pictureWidth, pictureHeight);
    dragActive = false;
}

void CropGeometry::takePicture(double pictureWidth, double pictureHeight) {
    double w = pictureWidth;
    double h = pictureHeight;
    // The first fit only shrinks, to twice the frame: by the height for a frame taller than wide.
    if (frame.height > frame.width && h > 2 * frame.height) {
        const double newH = double(vb::RoundHalfEven(2 * frame.height));
        w = double(vb::RoundHalfEven(w * newH / h));
        h = newH;
    } else if (w > 2 * frame.width) {
        const double newW = double(vb::RoundHalfEven(2 * frame.width));
        h = double(vb::RoundHalfEven(h * newW / w));
        w = newW;
    }
    picture.width = w;
    picture.height = h;
    labImgW = asText(w);
    labImgH = asText(h);
    centrePicture();
}

void CropGeometry::centrePicture() {
    picture.left = (canvas.width - picture.width) / 2;
    picture.top = (canvas.height - picture.height) / 2;
}

int CropGeometry::moveStepTwips(const QString& millimetres) {
    const auto mm = numberOf(millimetres);
    if (!mm) return -1;
    return int(std::floor(*mm * twips::kPerMillimetre));
}

bool CropGeometry::move(int dx, int dy, const QString& millimetres) {
    const auto mm = numberOf(millimetres);
    if (!mm) return false;
    const double d = std::floor(*mm * twips::kPerMillimetre);
    picture.left += dx * d;
    picture.top += dy * d;
    return true;
}

bool CropGeometry::zoom(bool in, const QString& factor) {
    const auto k = numberOf(factor);
    if (!k || (!in && *k == 0)) return false;
    picture.width = in ? picture.width * *k : picture.width / *k;
    picture.height = in ? picture.height * *k : picture.height / *k;
    centrePicture();
    return true;
}

void CropGeometry::slide(int value) {
    if (const auto w = wholeNumber<qint32>(labImgW)) picture.width = double(*w) * (value + 100) / 100;
    if (const auto h = wholeNumber<qint32>(labImgH)) picture.height = double(*h) * (value + 100) / 100;
    centrePicture();
}

void CropGeometry::fit() {
    labH = asText(picture.height);
    labW = asText(picture.width);
    labL = asText(picture.left);
    labT = asText(picture.top);
    picture = frame;
    fitted = true;
}

void CropGeometry::notFit() {
    if (const auto w = wholeNumber<qint32>(labW)) picture.width = *w;
    if (const auto h = wholeNumber<qint32>(labH)) picture.height = *h;
    if (const auto l = wholeNumber<qint32>(labL)) picture.left = *l;
    if (const auto t = wholeNumber<qint32>(labT)) picture.top = *t;
    fitted = false;
}

bool CropGeometry::mouseDown() {
    if (picture != frame) dragActive = true;
    return dragActive;
}

void CropGeometry::mouseMove(double x, double y) {
    if (!dragActive) return;
    picture.left = picture.left + x - picture.width / 2;
    picture.top = picture.top + y - picture.height / 2;
}
