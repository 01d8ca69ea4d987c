#include "emulator/musicpages.h"

#include "emulator/pageframe.h"

#include <cmath>

namespace emu {

QByteArray WaveFile(quint32 rate, const QByteArray& samples) {
    QByteArray w;
    const auto u32 = [&w](quint32 v) { for (int i = 0; i < 4; ++i) w.append(char((v >> (8 * i)) & 0xFF)); };
    const auto u16 = [&w](quint16 v) { w.append(char(v & 0xFF)).append(char(v >> 8)); };
    const auto size = quint32(samples.size());
    w.append("RIFF");
    u32(36 + size);
    w.append("WAVEfmt ");
    u32(16);    // format chunk size
    u16(1);     // PCM
    u16(1);     // mono
    u32(rate);
    u32(rate);  // bytes per second
    u16(1);     // block align
    u16(8);     // bits per sample
    w.append("data");
    u32(size);
    w.append(samples);
    return w;
}

QByteArray SampleMusicWav() {
    constexpr int kRate = 8000;
    QByteArray samples(kRate, Qt::Uninitialized);  // one second
    for (int i = 0; i < kRate; ++i) {
        const double fade = 1.0 - double(i) / kRate;
        samples[i] = char(128 + std::lround(std::sin(2 * M_PI * 440.0 * i / kRate) * fade * 60));
    }
    return WaveFile(kRate, samples);
}

bool ServeMusicPage(const HttpRequest& r, HttpResponse* out) {
    // The music editor's example names a ".wma" file: the same tone answers there, as a WAV, the
    // format the preview's web view plays.
    for (const char* sample : {"/music/sample.wav", "/music/sample.wma"}) {
        if (r.path.compare(QLatin1String(sample), Qt::CaseInsensitive) != 0) continue;
        static const QByteArray wav = SampleMusicWav();
        *out = HttpResponse::Bytes(wav, "audio/wav");
        return true;
    }
    if (r.path.compare(QLatin1String("/music.html"), Qt::CaseInsensitive) != 0) return false;
    const QString sample = QStringLiteral("http://") + r.authority + QStringLiteral("/music/sample.wma");
    *out = HttpResponse::Html(
        QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>如何获取音乐的网址及歌词</title>\n"
                       "<style>body{font-family:sans-serif;margin:16px;color:#333;line-height:1.6}"
                       "h1{font-size:18px;color:#336699}code{background:#eee}</style></head>\n<body%2>"
                       "<h1>如何获取音乐的网址及歌词</h1>\n<ol>\n"
                       "<li>音乐必须来自网络：在音乐网站上找到音乐文件，复制它的网址（以“http://”开头）。</li>\n"
                       "<li>歌词可以从歌词网站复制后粘贴到歌词框中，最多3000字节。</li>\n"
                       "<li>试听用的音乐网址：<code class=\"sample\">%1</code></li>\n</ol>\n"
                       "<p>本页由本地模拟服务提供。</p>\n</body></html>\n")
            .arg(sample.toHtmlEscaped(), KeyAttributes(r)));
    return true;
}

}  // namespace emu
