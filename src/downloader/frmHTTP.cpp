#include "downloader/frmHTTP.h"

#include "catalogue/Module1.h"
#include "downloader/ArchiveIndex.h"
#include "platform/Application.h"
#include "platform/Events.h"
#include "platform/FolderItem.h"
#include "platform/HTTPSocket.h"
#include "platform/MsgBox.h"
#include "platform/Quit.h"
#include "platform/Text.h"
#include "platform/TextInputStream.h"
#include "platform/TextSearch.h"

namespace {

const QString kIndexPage = QStringLiteral("/reclist.php?sort=dir&filter=.zip");
// An entry's line is a few hundred bytes; a longer line is no entry, and is
// passed over without being held.
constexpr qsizetype kMaxPageLine = 1024 * 1024;

std::unique_ptr<TextInputStream> OpenPage(const FolderItem& page) {
    auto in = page.OpenAsTextFile();
    if (in) in->SetMaxLineLength(kMaxPageLine);
    return in;
}

QString& Host() {
    static QString host = QString::fromLatin1(frmHTTP::kArchiveHost);
    return host;
}

int& Timeout() {
    static int seconds = 60;
    return seconds;
}

StaticText* CentredLine(Window& parent, int top, const QString& text) {
    auto* line = new StaticText(parent, 20, top, 415, 20, text);
    line->SetTextAlign(TextAlign::Center);
    line->SetTextColor(RGB(0, 0, 0));
    return line;
}

}  // namespace

frmHTTP::frmHTTP() : Window(455, 182, QStringLiteral("Download Games")) {
    cmdCancel = std::make_unique<PushButton>(*this, 187, 142, 80, 20, QStringLiteral("Cancel"));
    cmdCancel->Action = [this] { cmdCancel_Action(); };
    pb = std::make_unique<ProgressBar>(*this, 20, 110, 415, 20);
    pb->SetValue(0);
    pb->SetMaximum(100);
    pb->SetVisible(false);
    txtTitle1.reset(CentredLine(*this, 14, QStringLiteral("Please wait ...")));
    Timer1 = std::make_unique<Timer>(*this, Timer::kModeSingle, 100);
    Timer1->Action = [this] { Timer1_Action(); };
    txtTitle2.reset(CentredLine(*this, 46, QString()));
    txtTitle3.reset(CentredLine(*this, 78, QString()));
    Open();
}

frmHTTP::~frmHTTP() = default;

QString frmHTTP::ArchiveHost() {
    return Host();
}

void frmHTTP::SetArchiveHost(const QString& host) {
    Host() = host;
}

int frmHTTP::DownloadTimeout() {
    return Timeout();
}

void frmHTTP::SetDownloadTimeout(int seconds) {
    Timeout() = seconds;
}

QString frmHTTP::ArchiveAddress(const Archive& archive, const QString& page) {
    return ArchiveHost() + QStringLiteral("/bbc/archive/") + archive.folder + page;
}

void frmHTTP::cmdCancel_Action() {
    bAbort = true;
    if (cmdCancel->Caption() == QLatin1String("Close")) {
        SaveSTH();
        Close();
    }
}

void frmHTTP::Timer1_Action() {
    Timer1->SetEnabled(false);
    running_ = true;
    if (Image)
        DiscCheck();
    else
        TapeCheck();
    running_ = false;
}

void frmHTTP::Open() {
    Timer1->SetEnabled(false);
    bAbort = false;
    LoadSTH();
    Timer1->SetEnabled(true);
}

bool frmHTTP::CancelClose() {
    bAbort = true;
    if (running_) {
        // Closing at once would leave the run going behind a vanished window,
        // its transfer holding on to its time-out.
        stopRequested_ = true;
        if (transfer_) transfer_->Abort();
        return true;
    }
    if (cmdCancel->Caption() == QLatin1String("Close")) SaveSTH();
    return false;
}

void frmHTTP::EndingCancel() {
    if (!running_) return Window::EndingCancel();
    if (transfer_) transfer_->Abort();
}

bool frmHTTP::StopRequested() {
    // A logout must not lose the record of the entries fetched so far.
    if (Ending())
        SaveSTH();
    else if (!stopRequested_)
        return false;
    Close();
    return true;
}

bool frmHTTP::Download(HTTPSocket& socket, const QString& url, const FolderItem& file) {
    socket.yield = true;
    transfer_ = &socket;
    const bool fetched = socket.Get(url, file, DownloadTimeout());
    transfer_ = nullptr;
    return fetched;
}

void frmHTTP::DiscCheck() {
    Run(Discs());
}

void frmHTTP::TapeCheck() {
    Run(Tapes());
}

bool frmHTTP::EntryLine(const QString& line, bool& inTable) {
    // Prepared once: the page may run to millions of lines.
    static const TextSearch table(QStringLiteral("<table>"));
    static const TextSearch link(QStringLiteral("<a href"));
    if (!inTable) {
        inTable = table.FoundIn(line);
        return false;
    }
    return link.FoundIn(line);
}

int frmHTTP::CountEntries(const FolderItem& page) {
    auto in = OpenPage(page);
    if (!in) return -1;
    bool inTable = false;
    int total = 0;
    do {
        if (EntryLine(in->ReadLine(), inTable)) ++total;
        DoEventsNowAndThen();
    } while (!in->AtEOF() && !stopRequested_ && !Ending());
    in->Close();
    return total;
}

void frmHTTP::Run(const Archive& archive) {
    // Without its image directory an entry would be unpacked wherever the
    // shell happens to stand.
    if (archive.directory->isEmpty()) {
        MsgBox(QStringLiteral("Please set Game, Tape and Program Directories First"));
        Close();
        return;
    }
    const FolderItem page = AppFolder().Child(QStringLiteral("games.idx"));
    HTTPSocket socket;
    txtTitle2->SetText(QStringLiteral("Downloading games index"));
    if (!Download(socket, ArchiveAddress(archive, kIndexPage), page)) {
        if (!socket.Aborted()) MsgBox(QStringLiteral("Unable to download game index. Please try later"));
        Close();
        return;
    }
    if (StopRequested()) return;
    txtTitle2->SetText(QStringLiteral("Parsing games index"));

    int added = 0;
    const int total = CountEntries(page);
    if (StopRequested()) return;
    std::unique_ptr<TextInputStream> in;
    if (total >= 0) in = OpenPage(page);
    if (in) {
        bool inTable = false;
        int count = 0;
        QString previous;
        pb->SetVisible(true);
        do {
            const QString line = in->ReadLine();
            if (EntryLine(line, inTable)) {
                ++count;
                txtTitle1->SetText(QStringLiteral("Checking game ..."));
                txtTitle2->SetText(Str(count) + QStringLiteral(" of ") + Str(total));
                pb->SetStep(count, total);
                if (archive.tapes ? CheckTape(line, previous) : CheckDisk(line, previous)) ++added;
            }
            DoEventsNowAndThen();
            if (StopRequested()) return;
            if (bAbort) {
                Close();
                return;
            }
            previous = line;
        } while (!in->AtEOF());
        in->Close();
    }

    txtTitle1->SetText(QStringLiteral("Added ") + Str(added) + QStringLiteral(" new games"));
    txtTitle2->SetText(QString());
    txtTitle3->SetText(QString());
    pb->SetVisible(false);
    cmdCancel->SetCaption(QStringLiteral("Close"));
    SaveGames();
    LoadGames();
}
