// Refilling the main window's game list from a catalogue of 10000 games: with
// no filter (every game listed), with a text filter that every line must be
// searched for, and on the publisher tab.

#include "catalogue/Module1.h"
#include "mainwindow/frmMain.h"
#include "platform/Application.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kGames = 10000;

QByteArray CatalogueText() {
    QByteArray text;
    for (int i = 1; i <= kGames; ++i) {
        const QString flags = i % 3 == 0 ? QStringLiteral("{Dfn}") : QStringLiteral("{dP}");
        text += QStringLiteral("Game Number %1 (%2) (Publisher %3)<Genre %4>%5/Source/\n")
                    .arg(i)
                    .arg(1980 + i % 30)
                    .arg(i % 500)
                    .arg(i % 40)
                    .arg(flags)
                    .toLatin1();
    }
    return text;
}

// One window over the catalogue for every benchmark, built by main.
class frmMain* gWindow = nullptr;

void BM_Refill(benchmark::State& state, int tab, const QString& text) {
    class frmMain& w = *gWindow;
    w.TabPanel1->SetValue(tab);
    for (auto _ : state) w.SetFilter(text, QString());
    state.counters["rows"] = w.lvwAll(tab).ListCount();
}

BENCHMARK_CAPTURE(BM_Refill, all_unfiltered, 0, QString())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Refill, all_text_filter, 0, QStringLiteral("number 9"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Refill, all_text_no_match, 0, QStringLiteral("nowhere"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Refill, publisher_tab, 3, QString())->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SetAppFolderPath(dir.path());
    QFile f(dir.filePath(QStringLiteral("corvale.txt")));
    if (!f.open(QIODevice::WriteOnly)) return 1;
    f.write(CatalogueText());
    f.close();
    CreateSharedArrays();
    // The window goes before the application object.
    auto w = std::make_unique<class frmMain>();
    gWindow = w.get();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
