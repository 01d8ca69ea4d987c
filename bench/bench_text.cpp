// The HTML procedures on a long blog post: tag disabling is linear in the matches' spellings.
#include <benchmark/benchmark.h>

#include <QString>

#include "foundation/htmltext.h"

namespace {

QString longPost(int tags) {
    QString text;
    text.reserve(tags * 17);
    for (int i = 0; i < tags; ++i)
        text += (i % 2) ? QStringLiteral("<p>段落</p><SCRIPT>") : QStringLiteral("<p>text</p><script>");
    return text;
}

void BM_DisableActiveTags(benchmark::State& state) {
    const QString post = longPost(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QString copy = post;
        benchmark::DoNotOptimize(DisableActiveTags(copy));
    }
    state.SetBytesProcessed(state.iterations() * post.size() * 2);
}
BENCHMARK(BM_DisableActiveTags)->Arg(1000)->Arg(40000);

}  // namespace

BENCHMARK_MAIN();
