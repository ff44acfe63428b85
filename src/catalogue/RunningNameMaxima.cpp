#include "catalogue/RunningNameMaxima.h"

#include "catalogue/Module1.h"
#include "platform/Text.h"

#include <algorithm>

namespace {

// An empty slot takes no part in the order.
bool NameBefore(const clsGame* a, const clsGame* b) {
    return b && (!a || TextCompare(a->Name, b->Name) < 0);
}

}  // namespace

RunningNameMaxima::RunningNameMaxima() {
    maxima_.reserve(size_t(gamecount) + 1);
    maxima_.push_back(nullptr);
    const clsGame* greatest = nullptr;
    for (int i = 1; i <= gamecount; ++i) {
        const clsGame* g = i <= UBound(games) ? games[i].get() : nullptr;
        // The earlier of two namesakes stays: either would order alike.
        if (NameBefore(greatest, g)) greatest = g;
        maxima_.push_back(greatest);
    }
}

int RunningNameMaxima::Slot(const QString& name) const {
    Q_ASSERT(int(maxima_.size()) == gamecount + 1);
    const auto first = std::partition_point(maxima_.begin() + 1, maxima_.end(), [&name](const clsGame* m) {
        return !m || TextCompare(m->Name, name) <= 0;
    });
    return int(first - maxima_.begin());
}

void RunningNameMaxima::Inserted(int slot) {
    const clsGame* added = games[slot].get();
    const clsGame* before = maxima_[slot - 1];
    maxima_.insert(maxima_.begin() + slot, NameBefore(before, added) ? added : before);
    // Stored without its folder part, a name can sort after the one it was
    // placed by, and then lift the maxima above it up to itself. Otherwise
    // the maximum above was already greater and the loop stops at once.
    for (size_t i = size_t(slot) + 1; i < maxima_.size() && NameBefore(maxima_[i], added); ++i)
        maxima_[i] = added;
    Q_ASSERT(int(maxima_.size()) == gamecount + 1);
}
