// Refilling the main window's game list from a catalogue of 10000 games, each
// refill followed by one processed event round so the view lays out and paints
// the new rows: with no filter, with a text filter that matches half of the
// games, and on the publisher tab. For comparison, the same 10000 rows put into
// a plain QTreeWidget the same way.

#include "catalogue/Module1.h"
#include "mainwindow/frmMain.h"
#include "platform/Application.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kGames = 10000;

// Every other game's flags end in "r}", so that text filter matches half.
QByteArray CatalogueText() {
    QByteArray text;
    for (int i = 1; i <= kGames; ++i) {
        const char* flags = i % 2 == 0 ? "{Dfr}" : "{dP}";
        text += QStringLiteral("Game Number %1 (%2) (Publisher %3)<Genre %4>%5/Source/\n")
                    .arg(i)
                    .arg(1980 + i % 30)
                    .arg(i % 500)
                    .arg(i % 40)
                    .arg(QLatin1String(flags))
                    .toLatin1();
    }
    return text;
}

class frmMain* gWindow = nullptr;

void BM_SetFilter(benchmark::State& state, int tab, const QString& text) {
    class frmMain& w = *gWindow;
    w.TabPanel1->SetValue(tab);
    for (auto _ : state) {
        w.SetFilter(text, QString());
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = w.lvwAll(tab).ListCount();
}

BENCHMARK_CAPTURE(BM_SetFilter, all_no_filter, 0, QString())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SetFilter, all_text_half, 0, QStringLiteral("fr}"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SetFilter, publisher_tab, 3, QString())->Unit(benchmark::kMillisecond);

// The same rows, cells and hidden values as the game list, in a widget that
// keeps an item per row.
void BM_QTreeWidget(benchmark::State& state) {
    QTreeWidget tree;
    tree.setColumnCount(9);
    tree.resize(658, 511);
    tree.show();
    for (auto _ : state) {
        tree.clear();
        QList<QTreeWidgetItem*> items;
        items.reserve(kGames);
        for (int i = 1; i <= kGames; ++i) {
            const clsGame& g = *games[i];
            auto* item = new QTreeWidgetItem;
            item->setText(0, QStringLiteral("   %1").arg(i).right(4));
            item->setData(0, Qt::UserRole, 0);
            item->setText(1, g.DisplayName);
            item->setData(1, Qt::UserRole, i);
            item->setText(2, g.Publisher);
            item->setText(3, g.Year);
            item->setText(4, g.Genre);
            item->setText(5, g.DisplayFilename);
            item->setText(6, g.Source);
            item->setText(7, g.DiskOK);
            item->setText(8, g.PicOK);
            items.append(item);
        }
        tree.addTopLevelItems(items);
        tree.setCurrentItem(tree.topLevelItem(0));
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = tree.topLevelItemCount();
}
BENCHMARK(BM_QTreeWidget)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SetAppFolderPath(dir.path());
    QFile f(dir.filePath(QStringLiteral("corvale.txt")));
    if (!f.open(QIODevice::WriteOnly))
        return 1;
    f.write(CatalogueText());
    f.close();
    CreateSharedArrays();
    // The window goes before the application object.
    auto w = std::make_unique<class frmMain>();
    gWindow = w.get();
    w->Show();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
