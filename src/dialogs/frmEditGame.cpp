#include "dialogs/frmEditGame.h"

#include "app/frmMainMenu.h"
#include "catalogue/Module1.h"
#include "dialogs/DialogControls.h"
#include "dialogs/MainWindowLink.h"
#include "dialogs/SharedWindow.h"
#include "platform/Events.h"
#include "platform/MacRoman.h"
#include "platform/MenuItem.h"
#include "platform/MsgBox.h"
#include "platform/Text.h"

#include <algorithm>
#include <vector>

namespace {

// The six check boxes and the lower-case flag letter each one shows.
struct FlagBox {
    std::unique_ptr<CheckBox> frmEditGame::*box;
    char letter;
};

const FlagBox kFlagBoxes[] = {
    {&frmEditGame::chkFavourite, 'f'}, {&frmEditGame::chkCompilation, 'c'},
    {&frmEditGame::chkRerelease, 'r'}, {&frmEditGame::chkAdventure, 'a'},
    {&frmEditGame::chkVarious, 'v'},   {&frmEditGame::chkUnchecked, 'n'},
};

int FlagSlot(char letter) {
    return letter - 'a' + 1;
}

// The stored texts in the order the line holds them, each with its caption.
struct LineText {
    QString clsGame::*field;
    std::unique_ptr<StaticText> frmEditGame::*caption;
};

const LineText kLineTexts[] = {
    {&clsGame::Name, &frmEditGame::StaticText1},        {&clsGame::Year, &frmEditGame::StaticText3},
    {&clsGame::Publisher, &frmEditGame::StaticText2},   {&clsGame::Genre, &frmEditGame::StaticText4},
    {&clsGame::RawFileName, &frmEditGame::StaticText5}, {&clsGame::Author, &frmEditGame::StaticText6},
    {&clsGame::Source, &frmEditGame::StaticText7},
};

const char* const kMarkReason = "it contains a mark of the catalogue line";
const char* const kEncodingReason = "it contains a character the catalogue file cannot hold";

bool HoldsMark(const QString& text) {
    static const QString kMarks = QStringLiteral("()<>[]{}/\r\n");
    return std::any_of(text.begin(), text.end(), [](QChar ch) { return kMarks.contains(ch); });
}

// True when the file's encoding changes the text beyond its composition.
bool EncodingChanges(const QString& text) {
    return MacRoman::AsStored(text) != text.normalized(QString::NormalizationForm_C);
}

// The game in slot gEdit; nullptr when that slot holds none.
clsGame* EditedGame() {
    if (gEdit < 1 || gEdit > gamecount || gEdit > UBound(games))
        return nullptr;
    return games[gEdit].get();
}

void FillRows(ComboBox& combo, const std::vector<QString>& list, int count) {
    for (int i = 1; i <= count; ++i)
        combo.AddRow(list[i]);
}

// The row of the last entry equal to `value`, letter case ignored; the first
// row when none is.
void SelectLastMatch(ComboBox& combo, const std::vector<QString>& list, int count,
                     const QString& value) {
    int k = 0;
    for (int i = 1; i <= count; ++i) {
        if (TextEquals(list[i], value))
            k = i - 1;
    }
    combo.SetListIndex(k);
}

std::unique_ptr<ComboBox> MakeCombo(Window& parent, int top) {
    return std::make_unique<ComboBox>(parent, 98, top, 208, 20);
}

std::unique_ptr<EditField> MakeField(Window& parent, int top) {
    return std::make_unique<EditField>(parent, 98, top, 208, 22);
}

std::unique_ptr<CheckBox> MakeFlag(Window& parent, int top, int width, const QString& caption) {
    return std::make_unique<CheckBox>(parent, 353, top, width, 20, caption);
}

// The contextual Edit menu of the seven fields; its commands act on the
// focused field by themselves.
bool ContextualEditMenu() {
    if (IsContextualClick()) {
        if (MenuItem* edit = EditMenu())
            edit->PopUp();
    }
    return false;
}

} // namespace

frmEditGame::frmEditGame() : Window(510, 294, QStringLiteral("Edit Game Info")) {
    CreateControls();
    Open();
}

frmEditGame::~frmEditGame() = default;

void frmEditGame::CreateControls() {
    Window& w = *this;
    txtName = MakeField(w, 27);
    txtName->MouseDown = [this](int x, int y) { return txtName_MouseDown(x, y); };
    cmbPub = MakeCombo(w, 61);
    cmbPub->MouseDown = [this](int x, int y) { return cmbPub_MouseDown(x, y); };
    cmbYear = MakeCombo(w, 93);
    cmbYear->MouseDown = [this](int x, int y) { return cmbYear_MouseDown(x, y); };
    cmbGenre = MakeCombo(w, 125);
    cmbGenre->MouseDown = [this](int x, int y) { return cmbGenre_MouseDown(x, y); };
    txtFilename = MakeField(w, 157);
    txtFilename->MouseDown = [this](int x, int y) { return txtFilename_MouseDown(x, y); };
    txtAuthor = MakeField(w, 189);
    txtAuthor->MouseDown = [this](int x, int y) { return txtAuthor_MouseDown(x, y); };
    cmbSource = MakeCombo(w, 221);
    cmbSource->MouseDown = [this](int x, int y) { return cmbSource_MouseDown(x, y); };
    chkFavourite = MakeFlag(w, 47, 100, QStringLiteral("Favourite"));
    chkCompilation = MakeFlag(w, 79, 100, QStringLiteral("Compilation"));
    chkRerelease = MakeFlag(w, 111, 100, QStringLiteral("Re-Release"));
    chkAdventure = MakeFlag(w, 144, 129, QStringLiteral("Use \\Adventures"));
    chkVarious = MakeFlag(w, 176, 100, QStringLiteral("Use \\Various"));
    cmdOK = MakeButton(w, 402, 253, 80, 20, QStringLiteral("OK"), [this] { cmdOK_Action(); });
    cmdOK->SetDefault(true);
    cmdCancel =
        MakeButton(w, 310, 253, 80, 20, QStringLiteral("Cancel"), [this] { cmdCancel_Action(); });
    cmdCancel->SetCancel(true);
    StaticText1 = MakeFieldLabel(w, 34, 29, 52, 20, QStringLiteral("Name"));
    StaticText2 = MakeFieldLabel(w, 20, 62, 66, 20, QStringLiteral("Publisher"));
    StaticText3 = MakeFieldLabel(w, 20, 94, 66, 20, QStringLiteral("Year"));
    StaticText4 = MakeFieldLabel(w, 20, 126, 66, 20, QStringLiteral("Genre"));
    StaticText5 = MakeFieldLabel(w, 20, 157, 66, 20, QStringLiteral("Filename"));
    StaticText6 = MakeFieldLabel(w, 20, 189, 66, 20, QStringLiteral("Author"));
    StaticText7 = MakeFieldLabel(w, 20, 222, 66, 20, QStringLiteral("Source"));
    GroupBox1 = std::make_unique<GroupBox>(w, 339, 14, 157, 227, QStringLiteral("Flags"));
    chkUnchecked = MakeFlag(w, 209, 100, QStringLiteral("Unchecked"));
}

void frmEditGame::Open() {
    FillRows(*cmbGenre, strGenre, gGenre);
    FillRows(*cmbPub, strPub, gPub);
    FillRows(*cmbYear, strYear, gYear);
    FillRows(*cmbSource, strSource, gSource);

    if (!gAction) {
        SetTitle(QStringLiteral("Add New Game"));
        return;
    }
    SetTitle(QStringLiteral("Edit Game Info"));
    const clsGame* g = EditedGame();
    if (!g)
        return;
    txtName->SetText(g->Name);
    txtFilename->SetText(g->RawFileName);
    txtAuthor->SetText(g->Author);
    SelectLastMatch(*cmbGenre, strGenre, gGenre, g->Genre);
    SelectLastMatch(*cmbPub, strPub, gPub, g->Publisher);
    SelectLastMatch(*cmbYear, strYear, gYear, g->Year);
    SelectLastMatch(*cmbSource, strSource, gSource, g->Source);
    for (const FlagBox& flag : kFlagBoxes)
        (this->*flag.box)->SetValue(g->lcFlags[FlagSlot(flag.letter)]);
}

void frmEditGame::cmdOK_Action() {
    // The record as it would be stored, checked before anything moves.
    const clsGame* edited = gAction ? EditedGame() : nullptr;
    clsGame typed = edited ? *edited : clsGame();
    StoreFields(typed);
    const QString refusal = TextReadBackDifferently(typed);
    if (!refusal.isEmpty()) {
        MsgBox(refusal);
        return;
    }

    if (!gAction)
        gEdit = InsertGameInNameOrder(txtName->Text());
    clsGame* g = EditedGame();
    if (g) {
        StoreFields(*g);
        SaveGames();
        LoadGames();
        if (MainWindowLink* main = GetMainWindowLink())
            main->SetFilter(main->FilterText(), txtName->Text());
    }
    Close();
}

void frmEditGame::StoreFields(clsGame& g) const {
    // Every text as typed; the rest of the record (DiskOK, PicOK, the other
    // flags) stays as it was.
    g.Name = txtName->Text();
    g.RawFileName = txtFilename->Text();
    g.Author = txtAuthor->Text();
    g.Genre = cmbGenre->Text();
    g.Year = cmbYear->Text();
    g.Publisher = cmbPub->Text();
    g.Source = cmbSource->Text();
    for (const FlagBox& flag : kFlagBoxes)
        g.lcFlags[FlagSlot(flag.letter)] = (this->*flag.box)->Value();
}

QString frmEditGame::TextReadBackDifferently(const clsGame& typed) const {
    const clsGame read = ReadBack(typed);
    const auto refusal = [this](const LineText& text, const char* reason) {
        return QStringLiteral("The ") + (this->*text.caption)->Text() +
               QStringLiteral(" cannot hold this text: ") + QLatin1String(reason);
    };
    // A part left empty is looked for further on, so a mark in a later text
    // can take a part from a text that holds none: the text to blame is the
    // first that comes back different and that the file cannot hold or that
    // holds a mark.
    const LineText* differs = nullptr;
    for (const LineText& text : kLineTexts) {
        const QString& typedText = typed.*text.field;
        // The writer composes each text, so its composition changes nothing.
        if (typedText.normalized(QString::NormalizationForm_C) == read.*text.field)
            continue;
        if (EncodingChanges(typedText))
            return refusal(text, kEncodingReason);
        if (HoldsMark(typedText))
            return refusal(text, kMarkReason);
        if (!differs)
            differs = &text;
    }
    return differs ? refusal(*differs, kMarkReason) : QString();
}

void frmEditGame::cmdCancel_Action() {
    Close();
}

bool frmEditGame::txtName_MouseDown(int, int) {
    return ContextualEditMenu();
}

bool frmEditGame::cmbPub_MouseDown(int, int) {
    return ContextualEditMenu();
}

bool frmEditGame::cmbYear_MouseDown(int, int) {
    return ContextualEditMenu();
}

bool frmEditGame::cmbGenre_MouseDown(int, int) {
    return ContextualEditMenu();
}

bool frmEditGame::txtFilename_MouseDown(int, int) {
    return ContextualEditMenu();
}

bool frmEditGame::txtAuthor_MouseDown(int, int) {
    return ContextualEditMenu();
}

bool frmEditGame::cmbSource_MouseDown(int, int) {
    return ContextualEditMenu();
}

class frmEditGame& frmEditGame() {
    return FindOrCreateWindow<class frmEditGame>();
}
