#include "catalogue/LoadTextFile.h"
#include "catalogue/Module1.h"
#include "catalogue/SaveTextFile.h"
#include "platform/Application.h"
#include "platform/CaseFreePath.h"
#include "platform/Text.h"
#include "platform/TextInputStream.h"
#include "platform/TextOutputStream.h"

QString SettingsFileName() {
    return QStringLiteral("corvale.ini");
}

void LoadIni() {
    const FolderItem file = AppFolder().Child(SettingsFileName());
    QString lines[5];
    const FileRead read = ReadTextFile(file, [&lines](TextInputStream& in) {
        // No end test: a shorter file reads its missing lines as "".
        for (QString& line : lines) line = in.ReadLine();
    });
    if (read == FileRead::Unreadable) ReportUnreadable(file);
    // A missing or unreadable file leaves the values as they were.
    if (read != FileRead::Whole) return;
    strProgDir = PathAsOnDisk(lines[0]);
    strGameDir = PathAsOnDisk(lines[1]);
    strTapeDir = PathAsOnDisk(lines[2]);
    gHighlight = IntegerPart(Val(lines[3]));
    gFilter = IntegerPart(Val(lines[4]));
}

bool SaveIni() {
    return SaveTextFile(AppFolder().Child(SettingsFileName()), [](TextOutputStream& out) {
        out.WriteLine(strProgDir);
        out.WriteLine(strGameDir);
        out.WriteLine(strTapeDir);
        out.WriteLine(Str(gHighlight));
        out.WriteLine(Str(gFilter));
    }, LoadIni);
}
