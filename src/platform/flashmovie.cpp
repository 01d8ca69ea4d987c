#include "platform/flashmovie.h"

#include "platform/paths.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cmath>
#include <memory>

namespace {

// Bounds that keep a hostile file from costing much: descriptors are a few kilobytes, and only the
// head of an SWF is needed.
constexpr qint64 kMaxFileBytes = 32 * 1024 * 1024;
constexpr int kMaxFrames = 1000000;
constexpr double kMaxRate = 120;
constexpr quint32 kMaxInflated = 64 * 1024 * 1024;
constexpr int kMaxScenes = 10000;

quint32 le32(const QByteArray& b, int at) {
    return quint32(uchar(b[at])) | quint32(uchar(b[at + 1])) << 8 | quint32(uchar(b[at + 2])) << 16 |
           quint32(uchar(b[at + 3])) << 24;
}

std::optional<FlashMovie> readSwf(const QByteArray& bytes) {
    if (bytes.size() < 8) return std::nullopt;
    const quint32 declared = le32(bytes, 4);
    if (declared < 8) return std::nullopt;
    QByteArray body;
    if (bytes.startsWith("FWS")) {
        body = bytes.mid(8);
    } else if (bytes.startsWith("CWS")) {
        // qUncompress wants the inflated size first, big-endian; the declared one is only a hint.
        const quint32 hint = qMin(declared - 8, kMaxInflated);
        QByteArray z(4, '\0');
        z[0] = char(hint >> 24);
        z[1] = char(hint >> 16);
        z[2] = char(hint >> 8);
        z[3] = char(hint);
        z += bytes.mid(8);
        body = qUncompress(z);
    } else {
        return std::nullopt;  // "ZWS" (LZMA) and everything else
    }
    if (body.isEmpty()) return std::nullopt;
    // The stage rectangle: 5 bits of field width, then four fields of that width.
    const int nbits = uchar(body[0]) >> 3;
    const int rectBytes = (5 + 4 * nbits + 7) / 8;
    if (body.size() < rectBytes + 4) return std::nullopt;
    const double rate = uchar(body[rectBytes + 1]) + uchar(body[rectBytes]) / 256.0;
    const int frames = uchar(body[rectBytes + 2]) | uchar(body[rectBytes + 3]) << 8;
    if (frames < 1 || rate <= 0) return std::nullopt;
    FlashMovie movie;
    movie.kind = FlashMovie::Kind::Swf;
    movie.totalFrames = frames;
    movie.rate = qMin(rate, kMaxRate);
    return movie;
}

bool readInt(const QString& text, int low, int high, int* out) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high) return false;
    *out = v;
    return true;
}

// "scene <first> <last> <slide> <left> <top> <width> <height> <caption…>"
bool readScene(const QString& line, int totalFrames, FlashScene* scene) {
    const QStringList f = line.split(QLatin1Char(' '));
    if (f.size() < 9 || f[0] != QLatin1String("scene")) return false;
    int x = 0, y = 0, w = 0, h = 0;
    if (!readInt(f[1], 0, totalFrames - 1, &scene->firstFrame) ||
        !readInt(f[2], scene->firstFrame, totalFrames - 1, &scene->lastFrame) ||
        !paths::IsSafeComponent(f[3]) || !readInt(f[4], 0, 100000, &x) || !readInt(f[5], 0, 100000, &y) ||
        !readInt(f[6], 1, 100000, &w) || !readInt(f[7], 1, 100000, &h))
        return false;
    scene->slide = f[3];
    scene->highlight = QRect(x, y, w, h);
    scene->caption = f.mid(8).join(QLatin1Char(' '));
    return true;
}

std::optional<FlashMovie> readDescriptor(const QByteArray& bytes) {
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    for (QString& l : lines)
        if (l.endsWith(QLatin1Char('\r'))) l.chop(1);
    while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    if (lines.size() < 3 || lines[0] != QLatin1String(kTutorialMarker)) return std::nullopt;
    FlashMovie movie;
    if (!lines[1].startsWith(QLatin1String("frames ")) ||
        !readInt(lines[1].mid(7), 1, kMaxFrames, &movie.totalFrames))
        return std::nullopt;
    int rate = 0;
    if (!lines[2].startsWith(QLatin1String("rate ")) || !readInt(lines[2].mid(5), 1, int(kMaxRate), &rate))
        return std::nullopt;
    movie.rate = rate;
    if (lines.size() - 3 > kMaxScenes) return std::nullopt;
    for (int i = 3; i < lines.size(); ++i) {
        FlashScene scene;
        if (!readScene(lines[i], movie.totalFrames, &scene)) return std::nullopt;
        movie.scenes << scene;
    }
    return movie;
}

}  // namespace

const FlashScene* FlashMovie::sceneAt(int frame) const {
    for (const FlashScene& s : scenes)
        if (s.firstFrame <= frame && frame <= s.lastFrame) return &s;
    return nullptr;
}

std::optional<FlashMovie> ReadFlashMovie(const QByteArray& bytes) {
    if (bytes.startsWith(kTutorialMarker)) return readDescriptor(bytes);
    return readSwf(bytes);
}

std::optional<FlashMovie> LoadFlashMovie(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes) return std::nullopt;
    std::optional<FlashMovie> movie = ReadFlashMovie(file.readAll());
    if (movie) movie->folder = QFileInfo(path).absolutePath();
    return movie;
}

QByteArray WriteTutorialDescriptor(const FlashMovie& movie) {
    QString text = QString::fromLatin1(kTutorialMarker) + QLatin1Char('\n');
    text += QStringLiteral("frames %1\nrate %2\n").arg(movie.totalFrames).arg(qRound(movie.rate));
    for (const FlashScene& s : movie.scenes) {
        text += QStringLiteral("scene %1 %2 %3 %4 %5 %6 %7 %8\n")
                    .arg(s.firstFrame)
                    .arg(s.lastFrame)
                    .arg(s.slide)
                    .arg(s.highlight.x())
                    .arg(s.highlight.y())
                    .arg(s.highlight.width())
                    .arg(s.highlight.height())
                    .arg(s.caption);
    }
    return text.toUtf8();
}

FlashPlayback::FlashPlayback(Clock c) : clock(std::move(c)) {
    if (!clock) {
        auto started = std::make_shared<QElapsedTimer>();
        started->start();
        clock = [started] { return started->elapsed(); };
    }
}

qint64 FlashPlayback::now() const { return clock(); }

void FlashPlayback::changed() const {
    if (onChange) onChange();
}

void FlashPlayback::setMovie(const QString& path) {
    moviePath = path;
    loaded = LoadFlashMovie(path);
    playing = loaded.has_value();
    anchorFrame = loaded ? 0 : -1;
    anchorTime = now();
    changed();
}

void FlashPlayback::setLoop(bool on) {
    // The frame reached so far stays; only what follows changes.
    anchorFrame = FrameNum();
    anchorTime = now();
    loop = on;
    changed();
}

int FlashPlayback::FrameNum() const {
    if (!loaded) return -1;
    if (!playing) return anchorFrame;
    const qint64 elapsed = qMax<qint64>(0, now() - anchorTime);
    const qint64 advanced = qint64(std::floor(double(elapsed) * loaded->rate / 1000.0));
    const qint64 frame = anchorFrame + advanced;
    const int total = loaded->totalFrames;
    if (frame < total) return int(frame);
    return loop ? int(frame % total) : total - 1;
}

bool FlashPlayback::IsPlaying() const {
    // A movie without loop stops on its last frame.
    return playing && (loop || FrameNum() < TotalFrames() - 1);
}

void FlashPlayback::Play() {
    if (!loaded) return;
    anchorFrame = FrameNum();
    anchorTime = now();
    playing = true;
    changed();
}

void FlashPlayback::StopPlay() {
    if (!loaded) return;
    anchorFrame = FrameNum();
    playing = false;
    changed();
}

void FlashPlayback::GotoFrame(int frame) {
    if (!loaded) return;
    anchorFrame = qBound(0, frame, loaded->totalFrames - 1);
    anchorTime = now();
    changed();
}
