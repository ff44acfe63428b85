// Loading and saving a catalogue of 10000 games, against a baseline that only
// reads and decodes the same file's lines.
#include "catalogue/Module1.h"
#include "platform/Application.h"
#include "support/ReadEveryLine.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int kGames = 10000;

// A folder holding the generated catalogue, made once for every benchmark.
const QTemporaryDir& CatalogueFolder() {
    static QTemporaryDir dir;
    static const bool written = [] {
        QFile f(dir.filePath(QStringLiteral("corvale.txt")));
        if (!f.open(QIODevice::WriteOnly)) return false;
        for (int i = 1; i <= kGames; ++i) {
            const QString flags = i % 3 == 0 ? QStringLiteral("{Dfs}") : (i % 3 == 1 ? QStringLiteral("{dP}") : QString());
            const QString raw = i % 4 == 0 ? QStringLiteral("[.uef]") : (i % 4 == 1 ? QStringLiteral("[.dsd]") : QString());
            const QString line = QStringLiteral("Game Number %1, The (%2) (Publisher %3)<Genre %4>%5%6(Author %7)/Source %8/\n")
                                     .arg(i)
                                     .arg(1900 + i % 100)
                                     .arg(i % 1000)
                                     .arg(i % 100)
                                     .arg(raw, flags)
                                     .arg(i % 50)
                                     .arg(i % 100);
            f.write(line.toLatin1());
        }
        return true;
    }();
    if (!written) std::abort();
    SetAppFolderPath(dir.path());
    return dir;
}

void BM_ReadLinesBaseline(benchmark::State& state) {
    const QString path = CatalogueFolder().filePath(QStringLiteral("corvale.txt"));
    for (auto _ : state) benchmark::DoNotOptimize(ReadEveryLine(path));
}
BENCHMARK(BM_ReadLinesBaseline)->Unit(benchmark::kMillisecond);

void BM_LoadGames(benchmark::State& state) {
    CatalogueFolder();
    CreateSharedArrays();
    for (auto _ : state) {
        LoadGames();
        benchmark::DoNotOptimize(gamecount);
    }
    if (gamecount != kGames || gPub != 1000 || gYear != 100 || gGenre != 100 || gSource != 100)
        state.SkipWithError("unexpected catalogue");
}
BENCHMARK(BM_LoadGames)->Unit(benchmark::kMillisecond);

void BM_SaveGames(benchmark::State& state) {
    CatalogueFolder();
    CreateSharedArrays();
    LoadGames();
    for (auto _ : state) {
        if (!SaveGames()) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveGames)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
