#include "catalogue/FirstSlotIndex.h"

#include <algorithm>

void FirstSlotIndex::Clear(int expected) {
    // Kept at most half full, so that a probe ends soon.
    size_t size = 16;
    while (size < size_t(expected) * 2) size *= 2;
    table_.assign(size, Entry());
    used_ = 0;
}

size_t FirstSlotIndex::Home(quint64 hash) const {
    return size_t(hash ^ (hash >> 32)) & (table_.size() - 1);
}

void FirstSlotIndex::Add(quint64 hash, int slot) {
    if (table_.empty() || size_t(used_ + 1) * 2 > table_.size()) Grow();
    size_t i = Home(hash);
    for (; table_[i].slot != 0; i = (i + 1) & (table_.size() - 1))
        if (table_[i].hash == hash) return;
    table_[i] = Entry{hash, slot};
    ++used_;
}

int FirstSlotIndex::Find(quint64 hash) const {
    if (table_.empty()) return 0;
    for (size_t i = Home(hash); table_[i].slot != 0; i = (i + 1) & (table_.size() - 1))
        if (table_[i].hash == hash) return table_[i].slot;
    return 0;
}

void FirstSlotIndex::Grow() {
    std::vector<Entry> old;
    old.swap(table_);
    Clear(int(std::max<size_t>(old.size(), 8)));
    for (const Entry& e : old)
        if (e.slot != 0) Add(e.hash, e.slot);
}
