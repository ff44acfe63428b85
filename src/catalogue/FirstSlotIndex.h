#pragma once

#include <QtGlobal>

#include <vector>

// From a hash to the first slot added with it. A flat table with linear
// probing: a value list's few hundred entries are looked up once for each
// game of a load, and a general hash map costs several times as much.
class FirstSlotIndex {
public:
    // Empties the index, with room for `expected` hashes before it grows.
    void Clear(int expected);
    // Adds the slot (1 or more) unless the hash has one already.
    void Add(quint64 hash, int slot);
    // The slot added with the hash; 0 when there is none.
    int Find(quint64 hash) const;

private:
    struct Entry {
        quint64 hash = 0;
        int slot = 0;  // 0: a free entry
    };

    size_t Home(quint64 hash) const;
    void Grow();

    std::vector<Entry> table_;
    int used_ = 0;
};
