#include "catalogue/LoadTextFile.h"
#include "catalogue/Module1.h"
#include "catalogue/SaveTextFile.h"
#include "catalogue/ValueLists.h"
#include "platform/Application.h"
#include "platform/Cursor.h"
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

void StartEmpty() {
    ResetValueLists();
    gamecount = 0;
    gSame = 0;
}

}  // namespace

QString CatalogueFileName() {
    return QStringLiteral("corvale.txt");
}

void LoadGames() {
    const FolderItem file = AppFolder().Child(CatalogueFileName());
    FileRead read;
    {
        WaitCursor wait;
        StartEmpty();
        read = ReadTextFile(file, [](TextInputStream& in) {
            // The end test follows the parse: an empty file gives one game.
            do {
                ParseGame(in.ReadLine());
            } while (!in.AtEOF());
        });
        // Half a catalogue is not the file: go on as for a missing one.
        if (read == FileRead::Unreadable) StartEmpty();
        CutAndSortValueLists();
    }
    if (read == FileRead::Unreadable) ReportUnreadable(file);
}

bool SaveGames() {
    const FolderItem file = AppFolder().Child(CatalogueFileName());
    QString error;
    bool saved = false;
    {
        WaitCursor wait;
        // Refused for a file changed on disk, which every caller's LoadGames
        // then reads again.
        saved = WriteTextFile(file, [](TextOutputStream& out) {
            for (int i = 1; i <= gamecount && i <= UBound(games); ++i)
                if (games[i]) out.WriteLine(BuildGame(i));
        }, &error) == FileSave::Saved;
    }
    if (!saved) ReportSaveFailure(file, error);
    return saved;
}
