#include "catalogue/NewGamesInNameOrder.h"

#include "catalogue/Module1.h"
#include "platform/Text.h"

#include <algorithm>

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
    held_.push_back(Held{int(first - maxima_.begin()), FoundGame(name, ext, publisher)});
}

void NewGamesInNameOrder::Apply() {
    if (held_.empty()) return;
    // Stable: namesakes keep the order in which they came.
    std::stable_sort(held_.begin(), held_.end(), [](const Held& a, const Held& b) {
        return a.before != b.before ? a.before < b.before : TextCompare(a.game->Name, b.game->Name) < 0;
    });
    const int count = gamecount + int(held_.size());
    std::vector<std::unique_ptr<clsGame>> merged;
    merged.reserve(std::max(games.size(), size_t(count) + 1));
    merged.push_back(std::move(games[0]));
    auto next = held_.begin();
    for (int slot = 1; slot <= gamecount + 1; ++slot) {
        for (; next != held_.end() && next->before == slot; ++next) merged.push_back(std::move(next->game));
        if (slot <= gamecount) merged.push_back(slot <= UBound(games) ? std::move(games[slot]) : nullptr);
    }
    merged.resize(std::max(games.size(), merged.size()));
    games.swap(merged);
    gamecount = count;
    held_.clear();
    TakeMaxima();
}
