#include "catalogue/Module1.h"
#include "catalogue/SaveTextFile.h"
#include "catalogue/ValueLists.h"
#include "platform/Application.h"
#include "platform/Cursor.h"
#include "platform/MsgBox.h"
#include "platform/TextInputStream.h"
#include "platform/TextOutputStream.h"

namespace {

// The main window shows the wait cursor while the catalogue is read or
// written.
class WaitCursor {
public:
    WaitCursor() { SetMainWindowCursor(CursorShape::Wait); }
    ~WaitCursor() { SetMainWindowCursor(CursorShape::Standard); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

QString CatalogueFileName() {
    return QStringLiteral("corvale.txt");
}

void LoadGames() {
    const FolderItem file = AppFolder().Child(CatalogueFileName());
    bool unreadable = false;
    {
        WaitCursor wait;
        ResetValueLists();
        gamecount = 0;
        gSame = 0;
        if (file.Exists()) {
            if (auto in = file.OpenAsTextFile()) {
                // The end test follows the parse: an empty file gives one game.
                do {
                    ParseGame(in->ReadLine());
                } while (!in->AtEOF());
                in->Close();
            } else {
                unreadable = true;
            }
        }
        CutAndSortValueLists();
    }
    // Saving over a catalogue that is there but could not be read would lose
    // it, so the user is told.
    if (unreadable) MsgBox(QStringLiteral("Could not read ") + file.ShellPath(), 16);
}

bool SaveGames() {
    const FolderItem file = AppFolder().Child(CatalogueFileName());
    QString error;
    bool saved = false;
    {
        WaitCursor wait;
        saved = WriteTextFile(file, [](TextOutputStream& out) {
            for (int i = 1; i <= gamecount && i <= UBound(games); ++i)
                if (games[i]) out.WriteLine(BuildGame(i));
        }, &error);
    }
    if (!saved) ReportSaveFailure(file, error);
    return saved;
}
