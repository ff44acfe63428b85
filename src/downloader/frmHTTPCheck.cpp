// The entry check: decides whether one entry of the archive's index page is
// new or newer, fetches and unpacks it, and records it in the archive index.

#include "catalogue/Module1.h"
#include "downloader/ArchiveIndex.h"
#include "downloader/frmHTTP.h"
#include "platform/Dates.h"
#include "platform/FolderItem.h"
#include "platform/HTTPSocket.h"
#include "platform/MsgBox.h"
#include "platform/Shell.h"
#include "platform/ShellQuote.h"
#include "platform/Text.h"

namespace {

// A name from the archive's page that becomes part of a path: it must name
// something inside the image directory.
bool SafeName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/'));
}

// The value of the link whose "href" stands at `href`: href="value">. `end`
// gets the position of the closing ">".
QString LinkValue(const QString& line, int href, int& end) {
    end = InStr(href + 1, line, QStringLiteral(">"));
    return Mid(line, href + 6, end - href - 7);
}

}  // namespace

const frmHTTP::Archive& frmHTTP::Discs() {
    static const Archive discs{false, QStringLiteral("D"), QStringLiteral("diskimages"), &strGameDir,
                               {QStringLiteral(".ssd"), QStringLiteral(".dsd")}};
    return discs;
}

const frmHTTP::Archive& frmHTTP::Tapes() {
    static const Archive tapes{true, QStringLiteral("T"), QStringLiteral("tapeimages"), &strTapeDir,
                               {QStringLiteral(".uef")}};
    return tapes;
}

bool frmHTTP::CheckDisk(const QString& line, const QString& previous) {
    return CheckEntry(Discs(), line, previous);
}

bool frmHTTP::CheckTape(const QString& line, const QString& previous) {
    return CheckEntry(Tapes(), line, previous);
}

bool frmHTTP::CheckEntry(const Archive& archive, const QString& line, const QString& previous) {
    // The listing's date stands in the line before: ...PRE>date <...
    QDate listed;
    const int i = InStr(previous, QStringLiteral("PRE"));
    const int j = InStr(i + 1, previous, QStringLiteral("<"));
    ParseDate(Mid(previous, i + 4, j - i - 5), listed);

    // The zip name is the first link's value.
    int b = 0;
    const QString zipName = LinkValue(line, InStr(line, QStringLiteral("href")), b);
    if (!SafeName(zipName)) {
        MsgBox(QStringLiteral("Unable to download ") + zipName);
        return false;
    }

    const QString& directory = *archive.directory;
    QString unpackDir = directory;
    if (archive.tapes) {
        // Tapes unpack into the sub-folder that the second link names.
        const int c = InStr(b + 1, line, QStringLiteral("href"));
        int e = 0;
        const QString second = c > 0 ? LinkValue(line, c, e) : QString();
        const int slash = InStr(second, QStringLiteral("/"));
        const QString subFolder = slash > 0 ? Mid(second, slash + 1) : second;
        if (!SafeName(subFolder)) {
            MsgBox(QStringLiteral("Unable to download ") + zipName);
            return false;
        }
        unpackDir = directory + QStringLiteral("/") + subFolder;
    }

    const int dot = InStr(zipName, QStringLiteral(".zip"));
    const QString baseName = dot > 0 ? Left(zipName, dot - 1) : zipName;
    bool present = false;
    for (const QString& extension : archive.extensions) {
        present = CheckFile(directory + QStringLiteral("/") + baseName + extension);
        if (present) break;
    }

    const int known = FindSTH(zipName, archive.type);
    if (known > 0) {
        // A known entry whose file has gone stays gone; an undated listing is
        // never newer.
        if (!present) return false;
        if (TotalSeconds(listed) <= TotalSeconds(STH[known].dDate)) return false;
    }

    if (known > 0 || !present) {
        txtTitle3->SetText(QStringLiteral("Downloading ") + zipName);
        const bool fetched = Fetch(archive, zipName, unpackDir);
        if (!fetched) {
            txtTitle3->SetText(QString());
            return false;
        }
    }

    bool result = false;
    if (known == 0) {
        AppendSTH(zipName, archive.type, listed);
        result = !present;
    } else {
        clsSTH& entry = STH[known];
        entry.strFilename = zipName;
        entry.dDate = listed;
        entry.strType = archive.type;
    }
    txtTitle3->SetText(QString());
    return result;
}

bool frmHTTP::Fetch(const Archive& archive, const QString& zipName, const QString& unpackDir) {
    const QString& directory = *archive.directory;
    HTTPSocket socket;
    socket.yield = true;
    const FolderItem target = FolderItem::FromShellPath(directory + QStringLiteral("/temp.zip"));
    if (!socket.Get(ArchiveAddress(archive, QStringLiteral("/") + zipName), target, DownloadTimeout())) {
        MsgBox(QStringLiteral("Unable to download ") + zipName);
        return false;
    }

    // unzip's status is kept past the rm, and a failed cd stops the line, so
    // an error page is reported and nothing is unpacked or removed elsewhere.
    const QString dir = ShellQuote(unpackDir);
    QString line;
    if (archive.tapes)
        line = QStringLiteral("mkdir ") + dir + QStringLiteral(" ; cd  ") + dir +
               QStringLiteral(" || exit ; unzip -o -q ../temp.zip ; s=$? ; rm ../temp.zip ; exit $s");
    else
        line = QStringLiteral("cd ") + dir +
               QStringLiteral(" || exit ; unzip -o -q temp.zip ; s=$? ; rm temp.zip ; exit $s");
    return ExecuteReportingFailure(line);
}
