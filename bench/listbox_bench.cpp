// Refilling a game list of 10000 rows, as the filter field does on each key.
#include "platform/Listbox.h"
#include "platform/Window.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_RefillListbox(benchmark::State& state) {
    Window window(700, 560, QStringLiteral("Bench"));
    Listbox list(window, 20, 20, 658, 511);
    list.SetColumnCount(9);
    list.SetColumnWidths(QStringLiteral("8%,30%,20%,8%,10%,10%,10%,10%,10%"));
    window.Show();
    const int rows = static_cast<int>(state.range(0));
    const QString text = QStringLiteral("Some Game Name");
    for (auto _ : state) {
        list.DeleteAllRows();
        for (int i = 1; i <= rows; ++i) {
            list.AddRow(QString::number(i).rightJustified(4));
            const int row = list.LastIndex();
            list.SetCellTag(row, 1, i);
            for (int column = 1; column <= 8; ++column) list.SetCell(row, column, text);
            list.SetCellTag(row, 0, i % 2);
        }
        list.Refresh(true);
        list.SetListIndex(0);
        // The view lays out and paints the new rows, as it would on screen.
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_RefillListbox)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
