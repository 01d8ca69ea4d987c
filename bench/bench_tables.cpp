// Reading and writing a table file the size of a login reply, and the cipher's throughput.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "foundation/cipher.h"
#include "foundation/tabletext.h"
#include "state/loginstate.h"

namespace {

QString loginReplyText() {
    QString text;
    for (int f = 0; f < 24; ++f) text += QStringLiteral("field%1</F>").arg(f);
    text += QStringLiteral("<//R>LoginBackInfo<///T>");
    for (int f = 0; f < 333; ++f)
        text += QStringLiteral("&x_;img src=http://img7.example.test/pic/%1.jpg&d_;一段中文说明</F>").arg(f);
    text += QStringLiteral("<//R>SiteInfo<///T>");
    for (int r = 0; r < 6; ++r) text += QStringLiteral("%1</F>1</F>系统公告内容</F><//R>").arg(r);
    text += QStringLiteral("SysInfo<///T>");
    for (int r = 0; r < 5; ++r) text += QStringLiteral("%1</F>%2</F><//R>").arg(r * 100).arg(r * 50);
    text += QStringLiteral("SpacePric<///T>");
    return text;
}

void BM_WriteLoginReply(benchmark::State& state) {
    QTemporaryDir dir;
    const QString text = loginReplyText();
    const QString path = dir.path() + QStringLiteral("/u1.dat");
    for (auto _ : state) benchmark::DoNotOptimize(WriteEncryptedText(text, path));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_WriteLoginReply);

void BM_ReadLoginReplyTables(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/u1.dat");
    WriteEncryptedText(loginReplyText(), path);
    for (auto _ : state) {
        for (const char* name : {"LoginBackInfo", "SiteInfo", "SysInfo", "SpacePric"})
            benchmark::DoNotOptimize(ReadTableFile(path, QString::fromLatin1(name)));
    }
}
BENCHMARK(BM_ReadLoginReplyTables);

void BM_CipherRoundTrip(benchmark::State& state) {
    const QString text = loginReplyText();
    for (auto _ : state) benchmark::DoNotOptimize(DecryptBytes(EncryptText(text, DataFileKey), DataFileKey));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_CipherRoundTrip);

}  // namespace

BENCHMARK_MAIN();
