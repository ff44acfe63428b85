// The entry check over a listing of 10000 entries against an index of 10000
// entries, all known and present: nothing is fetched, so this measures the
// parsing, the presence tests and the index scan.

#include "catalogue/Module1.h"
#include "downloader/ArchiveIndex.h"
#include "downloader/frmHTTP.h"
#include "platform/Application.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kEntries = 10000;

void BM_EntryCheckAllKnown(benchmark::State& state) {
    QTemporaryDir dir;
    SetAppFolderPath(dir.path());
    CreateSharedArrays();
    gSTH = 0;
    strGameDir = dir.path();
    std::vector<std::pair<QString, QString>> lines;
    for (int i = 1; i <= kEntries; ++i) {
        const QString base = QStringLiteral("Game%1").arg(i);
        QFile image(strGameDir + QLatin1Char('/') + base + QStringLiteral(".ssd"));
        if (!image.open(QIODevice::WriteOnly)) state.SkipWithError("cannot create the images");
        AppendSTH(base + QStringLiteral(".zip"), QStringLiteral("D"), QDate(2006, 7, 10));
        lines.emplace_back(QStringLiteral("<tr><td><a href=\"%1.zip\">%1.zip</a></td></tr>").arg(base),
                           QStringLiteral("<tr><td><PRE>Jul 10 2006 12:00:00 </PRE></td></tr>"));
    }
    frmHTTP w;
    w.Timer1->SetEnabled(false);
    for (auto _ : state) {
        int added = 0;
        for (const auto& [line, previous] : lines) added += w.CheckDisk(line, previous) ? 1 : 0;
        benchmark::DoNotOptimize(added);
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
    SetAppFolderPath(QString());
}
BENCHMARK(BM_EntryCheckAllKnown)->Unit(benchmark::kMillisecond);

}  // namespace
