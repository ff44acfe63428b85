// The directory audit over image files in sub-folders of 100 each, against a
// catalogue of as many games of which the second argument's number name those
// files: {10000, 5000} adds 5000 games, {20000, 0} adds 20000, and when all
// are named it adds none (the scan alone); and over 20000 new files in one
// folder dated an hour ahead or an hour back. The disk audit over 10000 games
// and their files, with the images named as in the catalogue, half of them
// missing from their folders, all in capitals, or with blanks in the folder
// and file names and another extension (found only by the names the catalogue
// derives from them).

#include "catalogue/Module1.h"
#include "mainwindow/frmMain.h"
#include "platform/Application.h"
#include "platform/MsgBox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <memory>

namespace {

constexpr int kFilesPerFolder = 100;
constexpr int kGames = 10000;

QString FolderName(int f) {
    return QStringLiteral("Pub%1").arg(f, 3, 10, QLatin1Char('0'));
}

QString GameName(int i) {
    return QStringLiteral("Game%1").arg(i, 5, 10, QLatin1Char('0'));
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

// Games 0 to named - 1 name image files; the rest name nothing on disk.
QByteArray CatalogueText(int games, int named) {
    QByteArray text;
    for (int i = 0; i < games; ++i) {
        if (i < named)
            text += (GameName(i) + QStringLiteral(" (1984) (") + FolderName(i / kFilesPerFolder) + QStringLiteral(")\n"))
                        .toLatin1();
        else
            text += (QStringLiteral("Other%1 (1985) (Elsewhere)\n").arg(i, 5, 10, QLatin1Char('0'))).toLatin1();
    }
    return text;
}

enum class Images { AsNamed, HalfMissing, InCapitals, Derived };

// `files` image files under dir/discs: game i in folder i / kFilesPerFolder.
void WriteImages(const QTemporaryDir& dir, int files, Images images) {
    const QString discs = dir.filePath(QStringLiteral("discs"));
    for (int f = 0; f < files / kFilesPerFolder; ++f) {
        QString folder = FolderName(f);
        if (images == Images::InCapitals) folder = folder.toUpper();
        if (images == Images::Derived) folder.insert(3, QLatin1Char(' '));
        QDir().mkpath(discs + QLatin1Char('/') + folder);
        for (int j = 0; j < kFilesPerFolder; ++j) {
            if (images == Images::HalfMissing && j % 2 == 1) continue;
            QString file = folder + QLatin1Char('/') + GameName(f * kFilesPerFolder + j) + QStringLiteral(".ssd");
            if (images == Images::InCapitals) file = file.toUpper();
            if (images == Images::Derived) file.insert(file.size() - 9, QLatin1Char(' ')).replace(".ssd", ".dsk");
            WriteFile(discs + QLatin1Char('/') + file, "x");
        }
    }
    QDir().mkpath(dir.filePath(QStringLiteral("tapes")));
}

// Runs the directory audit over the folders under dir, the catalogue put back
// before each run.
void AuditDirectoriesOf(benchmark::State& state, const QTemporaryDir& dir, const QByteArray& catalogue) {
    const QString catalogueFile = dir.filePath(QStringLiteral("corvale.txt"));
    WriteFile(catalogueFile, catalogue);

    CreateSharedArrays();
    auto w = std::make_unique<class frmMain>();
    const MsgBoxHandler previous = SetMsgBoxHandler([](const QString&, int, const QString&) { return kMsgBoxOK; });
    strGameDir = dir.filePath(QStringLiteral("discs"));
    strTapeDir = dir.filePath(QStringLiteral("tapes"));

    for (auto _ : state) {
        state.PauseTiming();
        WriteFile(catalogueFile, catalogue);
        LoadGames();
        state.ResumeTiming();
        w->AuditDirectories();
    }
    state.counters["games_after"] = gamecount;
    w.reset();
    SetMsgBoxHandler(previous);
    SetAppFolderPath(QString());
}

void BM_AuditDirectories(benchmark::State& state) {
    QTemporaryDir dir;
    SetAppFolderPath(dir.path());
    const int files = int(state.range(0));
    WriteImages(dir, files, Images::AsNamed);
    AuditDirectoriesOf(state, dir, CatalogueText(files, int(state.range(1))));
}
BENCHMARK(BM_AuditDirectories)
    ->Args({10000, 5000})
    ->Args({10000, 10000})
    ->Args({20000, 0})
    ->Args({20000, 20000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Folder times come from other machines' clocks and from unpacked archives.
void BM_AuditDirectoriesDated(benchmark::State& state, int hours) {
    QTemporaryDir dir;
    SetAppFolderPath(dir.path());
    const QString folder = dir.filePath(QStringLiteral("discs/Pub"));
    QDir().mkpath(folder);
    QDir().mkpath(dir.filePath(QStringLiteral("tapes")));
    for (int i = 0; i < 20000; ++i) WriteFile(folder + QLatin1Char('/') + GameName(i) + QStringLiteral(".ssd"), "x");
    const timespec times[2] = {{0, UTIME_OMIT}, {time(nullptr) + hours * 3600, 0}};
    utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), times, 0);
    AuditDirectoriesOf(state, dir, QByteArray());
}
BENCHMARK_CAPTURE(BM_AuditDirectoriesDated, hour_ahead, 1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_AuditDirectoriesDated, hour_back, -1)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AuditGames(benchmark::State& state, Images images) {
    QTemporaryDir dir;
    SetAppFolderPath(dir.path());
    WriteImages(dir, kGames, images);
    WriteFile(dir.filePath(QStringLiteral("corvale.txt")), CatalogueText(kGames, kGames));

    CreateSharedArrays();
    auto w = std::make_unique<class frmMain>();
    strGameDir = dir.filePath(QStringLiteral("discs"));
    strTapeDir = dir.filePath(QStringLiteral("tapes"));

    for (auto _ : state) w->AuditGames();
    int present = 0;
    for (int i = 1; i <= gamecount; ++i) present += games[i]->DiskOK == QLatin1String("Yes");
    state.counters["present"] = present;
    w.reset();
    SetAppFolderPath(QString());
}
BENCHMARK_CAPTURE(BM_AuditGames, as_named, Images::AsNamed)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_AuditGames, half_missing, Images::HalfMissing)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_AuditGames, in_capitals, Images::InCapitals)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_AuditGames, derived, Images::Derived)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
