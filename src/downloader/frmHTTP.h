#pragma once

#include "platform/FolderItem.h"
#include "platform/ProgressBar.h"
#include "platform/PushButton.h"
#include "platform/StaticText.h"
#include "platform/Timer.h"
#include "platform/Window.h"

#include <QString>
#include <QStringList>

#include <memory>

class HTTPSocket;

// The downloader: fetches the archive's index page of disc or tape images,
// checks it entry by entry, fetches and unpacks what is new or newer into the
// image directory, and keeps the archive index. Made anew for each use: set
// Image and the title, then ShowModal; the run starts by itself.
class frmHTTP : public Window {
public:
    frmHTTP();
    ~frmHTTP() override;

    // The public archive; tests put their own server here ("127.0.0.1:port").
    static constexpr const char* kArchiveHost = "www.stairwaytohell.com";
    static QString ArchiveHost();
    static void SetArchiveHost(const QString& host);
    // The bound on each transfer, 60 seconds unless a test shortens it.
    static int DownloadTimeout();
    static void SetDownloadTimeout(int seconds);

    bool Image = true;   // true: disc images into strGameDir; false: tapes into strTapeDir
    bool bAbort = false;  // set by the button; the run stops after its current line

    std::unique_ptr<PushButton> cmdCancel;
    std::unique_ptr<ProgressBar> pb;
    std::unique_ptr<StaticText> txtTitle1;
    std::unique_ptr<Timer> Timer1;
    std::unique_ptr<StaticText> txtTitle2;
    std::unique_ptr<StaticText> txtTitle3;

    void cmdCancel_Action();
    void Timer1_Action();
    void Open() override;
    // The title-bar close button. During a run it stops the transfer in
    // flight and the run, and the window closes once the run has stopped,
    // saving nothing; after a completed run it acts as "Close".
    bool CancelClose() override;
    // Asked to end: a run stops its transfer in flight, so that the entry in
    // hand fails whole, and then stops and saves the archive index.
    void EndingCancel() override;

    void DiscCheck();
    void TapeCheck();
    // One entry of the index page: its link line and the page line before
    // it. True when the entry was unknown and absent, and has been fetched
    // and unpacked. Virtual so that tests can watch the run between entries.
    virtual bool CheckDisk(const QString& line, const QString& previous);
    virtual bool CheckTape(const QString& line, const QString& previous);

    // The page's rule, line by line: true for a link line once the table has
    // begun; the "<table>" line itself is never an entry.
    static bool EntryLine(const QString& line, bool& inTable);
    // The first pass: counts the link lines from the table on; -1 when the
    // page cannot be read.
    int CountEntries(const FolderItem& page);

private:
    // What tells the disc-image archive from the tape-image archive.
    struct Archive {
        bool tapes;
        QString type;              // the index's type letter
        QString folder;            // below "/bbc/archive/" on the archive's host
        const QString* directory;  // strGameDir or strTapeDir
        QStringList extensions;    // of an image file that counts as present
    };
    static const Archive& Discs();
    static const Archive& Tapes();

    // The archive's folder on its host, followed by `page`.
    static QString ArchiveAddress(const Archive& archive, const QString& page);
    void Run(const Archive& archive);
    bool CheckEntry(const Archive& archive, const QString& line, const QString& previous);
    // Downloads the entry into temp.zip and unpacks it, into subFolder for
    // tapes; false after a message, or without one for a transfer the user
    // stopped.
    bool Fetch(const Archive& archive, const QString& zipName, const QString& subFolder, const QString& baseName);
    // Gets `url` into `file` through the transfer that CancelClose can stop.
    bool Download(HTTPSocket& socket, const QString& url, const FolderItem& file);
    // True once the window was closed from its title bar during the run, or
    // the program was asked to end: the run then stops where it stands and
    // closes the window, saving the archive index only in the second case.
    bool StopRequested();

    HTTPSocket* transfer_ = nullptr;  // the transfer in flight, if any
    bool running_ = false;
    bool stopRequested_ = false;
};
