#include "catalogue/NewGamesInNameOrder.h"

#include "catalogue/Module1.h"
#include "platform/Text.h"

#include <algorithm>
#include <iterator>

namespace {

// An empty slot takes no part in the order.
bool NameBefore(const clsGame* a, const clsGame* b) {
    return b && (!a || TextCompare(a->Name, b->Name) < 0);
}

}  // namespace

NewGamesInNameOrder::NewGamesInNameOrder() {
    TakeMaxima();
}

void NewGamesInNameOrder::TakeMaxima() {
    maxima_.assign(1, nullptr);
    maxima_.reserve(size_t(gamecount) + 1);
    const clsGame* greatest = nullptr;
    for (int i = 1; i <= gamecount; ++i) {
        const clsGame* g = i <= UBound(games) ? games[i].get() : nullptr;
        if (NameBefore(greatest, g)) greatest = g;
        maxima_.push_back(greatest);
    }
}

void NewGamesInNameOrder::Add(const QString& name, const QString& ext, const QString& publisher) {
    // A folder part orders the game but is not stored, so the game could not
    // be ordered among the held ones by its stored name: it goes in at once.
    if (name.contains(QLatin1Char('/'))) {
        Apply();
        AddGame(name, ext, publisher);
        TakeMaxima();
        return;
    }
    const auto first = std::partition_point(maxima_.begin() + 1, maxima_.end(), [&name](const clsGame* m) {
        return !m || TextCompare(m->Name, name) <= 0;
    });
    const int before = int(first - maxima_.begin());
    std::unique_ptr<clsGame> game = FoundGame(name, ext, publisher);
    // The first leader greater than the name as found stops it; it joins the
    // run before, unless its stored name leads a run of its own.
    const auto next = runs_.upper_bound(Leader{before, name});
    if (next != runs_.begin()) {
        const auto run = std::prev(next);
        if (run->first.before == before && TextCompare(game->Name, run->first.name) <= 0) {
            run->second.push_back(std::move(game));
            return;
        }
    }
    Leader leader{before, game->Name};
    runs_.emplace_hint(next, std::move(leader), Run{})->second.push_back(std::move(game));
}

bool NewGamesInNameOrder::LeaderOrder::operator()(const Leader& a, const Leader& b) const {
    return a.before != b.before ? a.before < b.before : TextCompare(a.name, b.name) < 0;
}

void NewGamesInNameOrder::Apply() {
    if (runs_.empty()) return;
    int added = 0;
    for (const auto& run : runs_) added += int(run.second.size());
    const int count = gamecount + added;
    std::vector<std::unique_ptr<clsGame>> merged;
    merged.reserve(std::max(games.size(), size_t(count) + 1));
    merged.push_back(std::move(games[0]));
    auto next = runs_.begin();
    for (int slot = 1; slot <= gamecount + 1; ++slot) {
        for (; next != runs_.end() && next->first.before == slot; ++next)
            for (auto& game : next->second) merged.push_back(std::move(game));
        if (slot <= gamecount) merged.push_back(slot <= UBound(games) ? std::move(games[slot]) : nullptr);
    }
    merged.resize(std::max(games.size(), merged.size()));
    games.swap(merged);
    gamecount = count;
    runs_.clear();
    TakeMaxima();
}
