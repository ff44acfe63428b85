#pragma once

#include "catalogue/Module1.h"
#include "downloader/ArchiveIndex.h"
#include "downloader/frmHTTP.h"
#include "platform/Application.h"
#include "platform/Cursor.h"
#include "platform/MsgBox.h"
#include "platform/Quit.h"
#include "support/StoredZip.h"
#include "support/TestFiles.h"
#include "support/TestHttpServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

// The page lines of one entry: the date line, then the link line, with
// the tape sub-folder as a second link when one is given.
inline QByteArray Entry(const QString& date, const QString& zip, const QString& folder = QString()) {
    QString link = QStringLiteral("<tr><td><a href=\"%1\">%1</a>").arg(zip);
    if (!folder.isNull()) link += QStringLiteral(" <a href=\"/%1\">%1</a>").arg(folder);
    return QStringLiteral("<tr><td><PRE>%1 </PRE></td></tr>\n%2</td></tr>\n").arg(date, link).toLatin1();
}

// One entry as the archive's listing shows it: three lines of a table row,
// the date on the line before the link line, the zip name a path below the
// archive's folder and the publisher folder as the second link.
inline QByteArray ArchiveRow(const QString& date, const QString& zip) {
    const QString folder = zip.section(QLatin1Char('/'), 0, 0);
    const QString file = zip.section(QLatin1Char('/'), -1);
    return QStringLiteral("<tr><td align=right><PRE>5914</td>\n"
                          "<td><PRE>%1 </td>\n"
                          "<td><PRE><a href=\"%2\">%3</a>&nbsp;<FONT SIZE=-1>(<a href=\"%4\">%4</a>)</td>\n")
        .arg(date, zip, file, folder)
        .toLatin1();
}

inline QByteArray Page(const QByteArray& entries) {
    return "<html><head><title>Archive</title></head><body>\n<table>\n" + entries +
           "</table>\n</body></html>\n";
}

// A downloader that lets a test look at the window before each entry check.
class WatchedHTTP : public frmHTTP {
public:
    struct Step {
        int progress;
        QString title1;
        QString title2;
    };
    std::vector<Step> steps;
    std::function<void(int check)> beforeCheck;

    bool CheckDisk(const QString& line, const QString& previous) override {
        Watch();
        return frmHTTP::CheckDisk(line, previous);
    }
    bool CheckTape(const QString& line, const QString& previous) override {
        Watch();
        return frmHTTP::CheckTape(line, previous);
    }

private:
    void Watch() {
        steps.push_back({pb->Value(), txtTitle1->Text(), txtTitle2->Text()});
        if (beforeCheck) beforeCheck(int(steps.size()));
    }
};

// An application folder, a disc and a tape directory, the archive on a test
// server, and message boxes recorded instead of shown.
class DownloaderTest : public ::testing::Test {
protected:
    QTemporaryDir root;
    TestHttpServer server;
    QStringList messages;
    // txtTitle3 of the window under test when each message came up.
    QStringList titlesAtMessage;
    frmHTTP* shown = nullptr;
    MsgBoxHandler previousMsgBox;
    CursorHandler previousCursor;

    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        QDir(root.path()).mkpath(QStringLiteral("app"));
        SetAppFolderPath(root.filePath(QStringLiteral("app")));
        CreateSharedArrays();
        gamecount = gPub = gYear = gGenre = gSource = gSame = gSTH = 0;
        UseDirectories(QStringLiteral("discs"), QStringLiteral("tapes"));
        frmHTTP::SetArchiveHost(server.Host());
        previousMsgBox = SetMsgBoxHandler([this](const QString& text, int, const QString&) {
            messages << text;
            titlesAtMessage << (shown ? shown->txtTitle3->Text() : QString());
            return kMsgBoxOK;
        });
        previousCursor = SetMainWindowCursorHandler([](CursorShape) {});
    }

    void TearDown() override {
        SetMsgBoxHandler(previousMsgBox);
        SetMainWindowCursorHandler(previousCursor);
        frmHTTP::SetArchiveHost(QString::fromLatin1(frmHTTP::kArchiveHost));
        frmHTTP::SetDownloadTimeout(60);
        Window::SetShowModalHook({});
        SetAppFolderPath(QString());
    }

    void UseDirectories(const QString& discs, const QString& tapes) {
        QDir(root.path()).mkpath(discs);
        QDir(root.path()).mkpath(tapes);
        strGameDir = root.filePath(discs);
        strTapeDir = root.filePath(tapes);
    }

    QString AppFile(const QString& name) const { return root.filePath(QStringLiteral("app/") + name); }

    static QString Folder(bool tapes) { return tapes ? QStringLiteral("tapeimages") : QStringLiteral("diskimages"); }

    void ServePage(bool tapes, const QByteArray& page) {
        server.SetResponse(QStringLiteral("/bbc/archive/%1/reclist.php?sort=dir&filter=.zip").arg(Folder(tapes)),
                           page);
    }

    QString EntryPath(bool tapes, const QString& zip) const {
        return QStringLiteral("/bbc/archive/%1/%2").arg(Folder(tapes), zip);
    }

    // An entry's zip: one image file named after it, a disc image under the
    // zip name's folder, a tape image bare (it lands in the publisher's
    // sub-folder).
    static QByteArray ImageZip(bool tapes, const QString& zip, const QByteArray& content) {
        const QString base = zip.left(zip.indexOf(QStringLiteral(".zip")));
        const QString member = tapes ? base.section(QLatin1Char('/'), -1) + QStringLiteral(".uef")
                                     : base + QStringLiteral(".ssd");
        return StoredZip({{member.toLatin1(), content}});
    }

    void ServeZip(bool tapes, const QString& zip, const QByteArray& content) {
        server.SetResponse(EntryPath(tapes, zip), ImageZip(tapes, zip, content));
    }

    int Fetches(bool tapes, const QString& zip) const { return server.RequestCount(EntryPath(tapes, zip)); }

    // A window for calling the entry check directly, its run held back. Its
    // Open loads the index from the file, so a test sets the index after.
    std::unique_ptr<frmHTTP> CheckWindow() {
        auto w = std::make_unique<frmHTTP>();
        w->Timer1->SetEnabled(false);
        shown = w.get();
        return w;
    }

    // Shows the window modally; the run starts by itself. `afterRun` acts
    // once the run has finished, while the window is still shown.
    void RunModal(frmHTTP& w, bool image, std::function<void(frmHTTP&)> afterRun = {}) {
        shown = &w;
        w.Image = image;
        Window::SetShowModalHook([afterRun](Window& window) {
            auto& form = static_cast<frmHTTP&>(window);
            QTimer tick;  // wakes the wait below now and then
            tick.start(20);
            QElapsedTimer clock;
            clock.start();
            while (form.IsOpen() && form.cmdCancel->Caption() != QLatin1String("Close") && clock.elapsed() < 20000)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if (afterRun && form.IsOpen()) afterRun(form);
        });
        w.ShowModal();
        Window::SetShowModalHook({});
    }

    static void PressClose(frmHTTP& w) { w.cmdCancel->Push(); }

    void SetIndex(const std::vector<clsSTH>& entries) {
        gSTH = 0;
        for (const clsSTH& e : entries) AppendSTH(e.strFilename, e.strType, e.dDate);
    }
};
