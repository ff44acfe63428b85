// The entry check over a listing of 10000 entries against an index of 10000
// entries, all known and present: nothing is fetched, so this measures the
// parsing, the presence tests and the index scan.
//
// The run's two passes over a 100 MB index page, against a baseline that only
// reads the page's lines. Each reports the growth of the resident set over
// the pass ("peak_growth_MB"): the page is streamed, never held whole.
//
// The unpack of a zip of 500 members of 200 KB (a publisher's whole disc
// collection) into an empty folder, beside QFile::copy of the same files.
//
// A Get of a 1 GB body from the loopback server, and of one huge chunk: each
// stops at the ceiling, and its memory stays bounded ("peak_growth_MB").

#include "catalogue/Module1.h"
#include "downloader/ArchiveIndex.h"
#include "downloader/frmHTTP.h"
#include "platform/Application.h"
#include "platform/HTTPSocket.h"
#include "platform/Text.h"
#include "platform/TextInputStream.h"
#include "platform/ZipArchive.h"
#include "support/ReadEveryLine.h"
#include "support/StoredZip.h"
#include "support/TestHttpServer.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
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

constexpr int kPageMegabytes = 100;

// The archive's page as the run stores it: a head, the table, then a date
// row and a link row per entry. Written once for every benchmark.
const QString& IndexPage() {
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("games.idx"));
    static const bool written = [] {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) return false;
        f.write("<html><head><title>Disc images</title></head><body>\n<table>\n");
        QByteArray rows;
        for (int i = 1; f.size() < qint64(kPageMegabytes) * 1024 * 1024; ++i) {
            rows += "<tr><td><PRE>Jul 10 2006 12:00:00 </PRE></td></tr>\n";
            rows += QStringLiteral("<tr><td><a href=\"Game%1.zip\">Game%1.zip</a></td></tr>\n").arg(i).toLatin1();
            if (rows.size() > 1024 * 1024) {
                f.write(rows);
                rows.clear();
            }
        }
        f.write(rows + "</table></body></html>\n");
        return true;
    }();
    if (!written) std::abort();
    return path;
}

// A line of /proc/self/status in KiB ("VmRSS", "VmHWM"); 0 when absent.
long StatusKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, field.size() + 1, field + ":") == 0) return std::stol(line.substr(field.size() + 1));
    return 0;
}

// Measures the resident set's peak over each pass, from a peak reset to the
// resident set at its start.
class PeakGrowth {
public:
    void Start() {
        std::ofstream("/proc/self/clear_refs") << "5";
        start_ = StatusKiB("VmRSS");
    }
    void Stop() { most_ = std::max(most_, StatusKiB("VmHWM") - start_); }
    void Report(benchmark::State& state) const { state.counters["peak_growth_MB"] = most_ / 1024.0; }

private:
    long start_ = 0;
    long most_ = 0;
};

// The run's first pass, as the downloader makes it.
int CountingPass(const QString& path) {
    static frmHTTP w;
    w.Timer1->SetEnabled(false);
    return w.CountEntries(FolderItem(path));
}

// The checking pass with the entry check left out: the lines it would be
// given, each with the line before it.
int CheckingPassReading(const QString& path) {
    auto in = TextInputStream::Open(path);
    bool inTable = false;
    int count = 0;
    QString previous;
    do {
        const QString line = in->ReadLine();
        if (frmHTTP::EntryLine(line, inTable)) {
            ++count;
            benchmark::DoNotOptimize(previous.size());
            DoEventsNowAndThen();
        }
        previous = line;
    } while (!in->AtEOF());
    return count;
}

void BM_IndexPageReadLines(benchmark::State& state) {
    const QString& path = IndexPage();
    PeakGrowth growth;
    for (auto _ : state) {
        growth.Start();
        benchmark::DoNotOptimize(ReadEveryLine(path));
        growth.Stop();
    }
    growth.Report(state);
}
BENCHMARK(BM_IndexPageReadLines)->Unit(benchmark::kMillisecond);

void BM_IndexPageCountingPass(benchmark::State& state) {
    const QString& path = IndexPage();
    PeakGrowth growth;
    for (auto _ : state) {
        growth.Start();
        benchmark::DoNotOptimize(CountingPass(path));
        growth.Stop();
    }
    growth.Report(state);
}
BENCHMARK(BM_IndexPageCountingPass)->Unit(benchmark::kMillisecond);

void BM_IndexPageBothPasses(benchmark::State& state) {
    const QString& path = IndexPage();
    PeakGrowth growth;
    for (auto _ : state) {
        growth.Start();
        const int total = CountingPass(path);
        if (CheckingPassReading(path) != total) state.SkipWithError("the passes disagree");
        growth.Stop();
    }
    growth.Report(state);
}
BENCHMARK(BM_IndexPageBothPasses)->Unit(benchmark::kMillisecond);

constexpr int kMembers = 500;
constexpr int kMemberBytes = 200 * 1024;

// The collection as files ("files/") and as one zip ("temp.zip"), made once.
const QTemporaryDir& Collection() {
    static QTemporaryDir dir;
    static const bool made = [] {
        QList<QPair<QByteArray, QByteArray>> members;
        QDir().mkpath(dir.filePath(QStringLiteral("files/AnF")));
        for (int i = 1; i <= kMembers; ++i) {
            const QByteArray name = "AnF/Game" + QByteArray::number(i) + ".ssd";
            QByteArray bytes(kMemberBytes, char('a' + i % 26));
            QFile file(dir.filePath(QStringLiteral("files/") + QString::fromLatin1(name)));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return false;
            members.append({name, bytes});
        }
        QFile zip(dir.filePath(QStringLiteral("temp.zip")));
        return zip.open(QIODevice::WriteOnly) && zip.write(StoredZip(members)) > 0;
    }();
    if (!made) std::abort();
    return dir;
}

// An empty folder to fill, made outside the timing.
QString EmptyTarget(benchmark::State& state) {
    state.PauseTiming();
    const QString target = Collection().filePath(QStringLiteral("target"));
    QDir(target).removeRecursively();
    QDir().mkpath(target + QStringLiteral("/AnF"));
    state.ResumeTiming();
    return target;
}

void BM_UnpackCollection(benchmark::State& state) {
    const QString zip = Collection().filePath(QStringLiteral("temp.zip"));
    for (auto _ : state) {
        const QString target = EmptyTarget(state);
        QString reason;
        if (!UnpackZip(zip, target, &reason)) state.SkipWithError(reason.toUtf8().constData());
    }
    state.SetBytesProcessed(state.iterations() * kMembers * qint64(kMemberBytes));
}
BENCHMARK(BM_UnpackCollection)->Unit(benchmark::kMillisecond);

void BM_CopyCollection(benchmark::State& state) {
    const QString files = Collection().filePath(QStringLiteral("files/AnF/"));
    for (auto _ : state) {
        const QString target = EmptyTarget(state) + QStringLiteral("/AnF/");
        for (int i = 1; i <= kMembers; ++i) {
            const QString name = QStringLiteral("Game%1.ssd").arg(i);
            if (!QFile::copy(files + name, target + name)) state.SkipWithError("copy failed");
        }
    }
    state.SetBytesProcessed(state.iterations() * kMembers * qint64(kMemberBytes));
}
BENCHMARK(BM_CopyCollection)->Unit(benchmark::kMillisecond);

// Gets "/big" from the server, reporting the growth, the outcome and what
// the file kept.
void MeasureGet(benchmark::State& state, const TestHttpServer& server) {
    QTemporaryDir dir;
    const FolderItem target(dir.filePath(QStringLiteral("games.idx")));
    PeakGrowth growth;
    bool fetched = false;
    for (auto _ : state) {
        growth.Start();
        fetched = HTTPSocket().Get(server.Url(QStringLiteral("/big")), target, 60);
        growth.Stop();
    }
    growth.Report(state);
    state.counters["fetched"] = fetched;
    state.counters["file_MB"] = QFileInfo(target.ShellPath()).size() / 1048576.0;
}

void BM_GetGigabyteBody(benchmark::State& state) {
    TestHttpServer server;
    server.SetStreamed(QStringLiteral("/big"), qint64(1) << 30, TestHttpServer::Framing::Unannounced);
    MeasureGet(state, server);
}
BENCHMARK(BM_GetGigabyteBody)->Unit(benchmark::kMillisecond)->Iterations(3);

// One chunk announced as the argument's size, then data without end: past
// the ceiling it is refused at once; just under it, it streams to the
// ceiling and fails where the chunk's end should be.
void BM_GetHugeChunk(benchmark::State& state) {
    TestHttpServer server;
    server.SetRawEndless(QStringLiteral("/big"),
                         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" +
                             QByteArray::number(qint64(state.range(0)), 16) + "\r\n",
                         "x");
    MeasureGet(state, server);
}
BENCHMARK(BM_GetHugeChunk)
    ->Arg(0x80000000)
    ->Arg(HTTPSocket::kBodyCeiling - 1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
