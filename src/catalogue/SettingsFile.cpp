#include "catalogue/Module1.h"
#include "catalogue/SaveTextFile.h"
#include "platform/Application.h"
#include "platform/Text.h"
#include "platform/TextInputStream.h"
#include "platform/TextOutputStream.h"

QString SettingsFileName() {
    return QStringLiteral("corvale.ini");
}

void LoadIni() {
    const FolderItem file = AppFolder().Child(SettingsFileName());
    if (!file.Exists()) return;
    auto in = file.OpenAsTextFile();
    if (!in) return;
    // No end test: a shorter file reads its missing lines as "".
    strProgDir = in->ReadLine();
    strGameDir = in->ReadLine();
    strTapeDir = in->ReadLine();
    gHighlight = IntegerPart(Val(in->ReadLine()));
    gFilter = IntegerPart(Val(in->ReadLine()));
    in->Close();
}

bool SaveIni() {
    return SaveTextFile(AppFolder().Child(SettingsFileName()), [](TextOutputStream& out) {
        out.WriteLine(strProgDir);
        out.WriteLine(strGameDir);
        out.WriteLine(strTapeDir);
        out.WriteLine(Str(gHighlight));
        out.WriteLine(Str(gFilter));
    });
}
