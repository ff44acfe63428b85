#include "catalogue/Module1.h"

#include "platform/CaseFreePath.h"

std::vector<std::unique_ptr<clsGame>> games;
int gamecount = 0;
std::vector<QString> strPub;
std::vector<QString> strYear;
std::vector<QString> strGenre;
std::vector<QString> strSource;
int gPub = 0;
int gYear = 0;
int gGenre = 0;
int gSource = 0;
int gSame = 0;
int gEdit = 0;
bool gAction = false;
QString strProgDir;
QString strGameDir;
QString strTapeDir;
int gHighlight = 0;
int gFilter = 0;
int gRow = 0;
std::vector<clsSTH> STH;
int gSTH = 0;

namespace {

// Images under the image directories are found by the names the catalogue
// derives from theirs, as the directory audit added them.
[[maybe_unused]] const DerivedNames kBeforeAddedNames = SetDerivedNames({AddedFolder, AddedFileName});

}  // namespace

void CreateSharedArrays() {
    games.clear();
    games.resize(kGamesCapacity + 1);
    strPub.assign(kPubCapacity + 1, QString());
    strYear.assign(kListCapacity + 1, QString());
    strGenre.assign(kListCapacity + 1, QString());
    strSource.assign(kListCapacity + 1, QString());
    STH.assign(kSTHCapacity + 1, clsSTH());
}

void Init() {
    LoadGames();
    LoadIni();
}
