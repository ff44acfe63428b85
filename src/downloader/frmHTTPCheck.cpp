// The entry check: decides whether one entry of the archive's index page is
// new or newer, fetches and unpacks it, and records it in the archive index.

#include "catalogue/Module1.h"
#include "downloader/ArchiveIndex.h"
#include "downloader/frmHTTP.h"
#include "platform/Dates.h"
#include "platform/FolderItem.h"
#include "platform/HTTPSocket.h"
#include "platform/MacRoman.h"
#include "platform/MsgBox.h"
#include "platform/Text.h"
#include "platform/ZipArchive.h"

#include <QFile>

#include <algorithm>

namespace {

bool HasControlCharacter(const QString& name) {
    return std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

// A zip name from the archive's page is a path below the archive's folder
// ("AnF/180Darts.zip") and becomes a path below the image directory and a
// line of the archive index, so it must stay inside the one and fit in the
// other: no absolute path, no empty, "." or ".." part, no backslash, no
// control character, and no comma, which ends the name in "sth.idx".
bool SafeZipName(const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || HasControlCharacter(name) ||
        name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char(',')))
        return false;
    const QStringList parts = name.split(QLatin1Char('/'));
    return std::none_of(parts.begin(), parts.end(), [](const QString& part) {
        return part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..");
    });
}

// The tape sub-folder is one folder inside the tape-image directory.
bool SafeFolderName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !HasControlCharacter(name);
}

// The value of the link whose "href" stands at `href`: href="value">. `end`
// gets the position of the closing ">".
QString LinkValue(const QString& line, int href, int& end) {
    end = InStr(href + 1, line, QStringLiteral(">"));
    return Mid(line, href + 6, end - href - 7);
}

// The zip name as a URL path: each part as the page's own bytes,
// percent-encoded, so that "#", "?", "%" or a blank in a name stays part of
// the path and a byte such as 0xE9 reaches the server as it stood.
QString UrlPath(const QString& zipName) {
    QStringList parts = zipName.split(QLatin1Char('/'));
    for (QString& part : parts) part = EncodeURLPathPart(MacRoman::Encode(part));
    return QStringLiteral("/") + parts.join(QLatin1Char('/'));
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
    if (!SafeZipName(zipName)) {
        MsgBox(QStringLiteral("Unable to download ") + zipName);
        return false;
    }

    const QString& directory = *archive.directory;
    QString subFolder;
    if (archive.tapes) {
        // Tapes unpack into the sub-folder that the second link names.
        const int c = InStr(b + 1, line, QStringLiteral("href"));
        int e = 0;
        const QString second = c > 0 ? LinkValue(line, c, e) : QString();
        const int slash = InStr(second, QStringLiteral("/"));
        subFolder = slash > 0 ? Mid(second, slash + 1) : second;
        if (!SafeFolderName(subFolder)) {
            MsgBox(QStringLiteral("Unable to download ") + zipName);
            return false;
        }
    }

    const int dot = InStr(zipName, QStringLiteral(".zip"));
    const QString baseName = dot > 0 ? Left(zipName, dot - 1) : zipName;
    bool present = false;
    for (const QString& extension : archive.extensions) {
        present = CheckFile(directory, baseName + extension);
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
        const bool fetched = Fetch(archive, zipName, subFolder, baseName);
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

bool frmHTTP::Fetch(const Archive& archive, const QString& zipName, const QString& subFolder,
                    const QString& baseName) {
    HTTPSocket socket;
    const QString& directory = *archive.directory;
    const QString zipPath = directory + QStringLiteral("/temp.zip");
    const bool fetched =
        Download(socket, ArchiveAddress(archive, UrlPath(zipName)), FolderItem::FromShellPath(zipPath));
    // The image that the presence test looks for arrives last.
    QStringList last;
    for (const QString& extension : archive.extensions) last << baseName + extension;
    QString reason;
    // Tapes unpack into their publisher's sub-folder.
    const bool unpacked = fetched && UnpackZip(zipPath, directory, &reason, subFolder, last);
    QFile::remove(zipPath);

    if (!fetched) {
        // The transfer the user stopped by closing the window is no failure.
        if (!socket.Aborted()) MsgBox(QStringLiteral("Unable to download ") + zipName);
        return false;
    }
    if (!unpacked) MsgBox(QStringLiteral("Unable to unpack ") + zipName + QStringLiteral(": ") + reason);
    return unpacked;
}
