#include "CatalogueFixture.h"

#include "catalogue/NewGamesInNameOrder.h"
#include "platform/Text.h"

#include <optional>
#include <random>

namespace {

using NewGamesInNameOrderTest = CatalogueTest;

// Random catalogues, not in name order and with empty slots (which the walk
// passes over), take random names both ways. Few letters bring namesakes,
// names that differ only in letter case, folder parts (which go in at once)
// and parentheses (stored cut short); the accented pair takes the
// comparison's non-ASCII path.
TEST_F(NewGamesInNameOrderTest, PutsEveryGameWhereTheWalkDoes) {
    std::mt19937 rng(104);
    // Every other round without folders, so that most games are held back.
    QString letters;
    const auto randomName = [&] {
        QString name;
        for (int n = int(rng() % 5); n > 0; --n) name += letters[int(rng() % letters.size())];
        return name;
    };
    const auto catalogue = [] {
        QStringList seen;
        for (int i = 1; i <= gamecount; ++i)
            seen << (games[i] ? games[i]->Name + QLatin1Char('|') + games[i]->Publisher : QStringLiteral("-"));
        return seen;
    };
    for (int round = 0; round < 400; ++round) {
        letters = round % 2 ? QStringLiteral("aAbBc/\u00e9\u00c9") : QStringLiteral("aAbB (c\u00e9\u00c9");
        std::vector<std::optional<QString>> before(rng() % 25);
        for (auto& name : before)
            if (rng() % 6) name = randomName();
        std::vector<QString> added(rng() % 25);
        for (QString& name : added) name = randomName();
        QStringList walked;
        for (const bool fast : {false, true}) {
            gamecount = int(before.size());
            for (int i = 1; i <= gamecount; ++i) {
                games[i].reset();
                if (!before[i - 1]) continue;
                games[i] = std::make_unique<clsGame>();
                games[i]->Name = *before[i - 1];
            }
            NewGamesInNameOrder found;
            for (size_t k = 0; k < added.size(); ++k) {
                if (fast)
                    found.Add(added[k], QString(), Str(qint64(k)));
                else
                    AddGame(added[k], QString(), Str(qint64(k)));
            }
            found.Apply();
            if (!fast) walked = catalogue();
        }
        ASSERT_EQ(catalogue(), walked) << "round " << round;
    }
}

}  // namespace
