#include "catalogue/ValueLists.h"

#include "catalogue/FirstSlotIndex.h"
#include "catalogue/Module1.h"
#include "platform/Text.h"

#include <algorithm>

namespace {

// A list with an index from the hash of each text to the first slot that
// holds a text with that hash, so that a load does not compare each game's
// value with every entry. The index is only a guide: a slot it names must
// hold an equal text, or else (two texts with one hash, or a list changed
// elsewhere) the list itself is searched.
struct ValueList {
    std::vector<QString>& list;
    int& count;
    int capacity;
    FirstSlotIndex firstSlot;
    int indexed = 0;  // slots 1..indexed are in the index

    void RebuildIndex() {
        indexed = std::min(count, UBound(list));
        firstSlot.Clear(indexed);
        for (int i = 1; i <= indexed; ++i) firstSlot.Add(TextHash(list[i]), i);
    }

    // An entry of the list; slot 0 when there is none.
    struct Found {
        int slot = 0;
        bool sameCase = false;
    };

    Found Scan(QStringView value) const {
        const int last = std::min(count, UBound(list));
        for (int i = 1; i <= last; ++i)
            if (TextEquals(list[i], value)) return {i, list[i] == value};
        return {};
    }

    // The first entry equal to the value, letter case ignored.
    Found Find(QStringView value, quint64 hash) {
        if (indexed != count) RebuildIndex();
        const int slot = firstSlot.Find(hash);
        if (slot == 0) return {};
        if (slot <= UBound(list)) {
            // Values nearly always repeat in the same letter case, and a
            // plain comparison is the cheaper one.
            if (list[slot] == value) return {slot, true};
            if (TextEquals(list[slot], value)) return {slot, false};
        }
        RebuildIndex();
        return Scan(value);
    }

    QString Offer(QStringView value) {
        const quint64 hash = TextHash(value);
        if (const Found found = Find(value, hash); found.slot > 0) {
            // Only the first entry's letter case is kept: a value in another
            // case is its own text.
            return found.sameCase ? list[found.slot] : value.toString();
        }
        ++count;
        GrowToSlot(list, count);
        list[count] = value.toString();
        firstSlot.Add(hash, count);
        indexed = count;
        return list[count];
    }

    void Reset() {
        firstSlot.Clear(capacity);
        indexed = 0;
        list.assign(capacity + 1, QString());
        count = 0;
    }

    void CutAndSort() {
        GrowToSlot(list, count);
        list.resize(count + 1);
        list[0].clear();
        std::stable_sort(list.begin() + 1, list.end(),
                         [](const QString& a, const QString& b) { return TextCompare(a, b) < 0; });
        RebuildIndex();
    }
};

// The four lists, each with the start size it is given at every load.
ValueList& Years() { static ValueList l{strYear, gYear, kListCapacity, {}}; return l; }
ValueList& Genres() { static ValueList l{strGenre, gGenre, kListCapacity, {}}; return l; }
ValueList& Pubs() { static ValueList l{strPub, gPub, kPubCapacity, {}}; return l; }
ValueList& Sources() { static ValueList l{strSource, gSource, kListCapacity, {}}; return l; }

}  // namespace

QString OfferYear(QStringView value) {
    return Years().Offer(value);
}
QString OfferGenre(QStringView value) {
    return Genres().Offer(value);
}
QString OfferPub(QStringView value) {
    return Pubs().Offer(value);
}
QString OfferSource(QStringView value) {
    return Sources().Offer(value);
}

void CheckYear(const QString& value) {
    Years().Offer(value);
}
void CheckGenre(const QString& value) {
    Genres().Offer(value);
}
void CheckPub(const QString& value) {
    Pubs().Offer(value);
}
void CheckSource(const QString& value) {
    Sources().Offer(value);
}

void ResetValueLists() {
    Genres().Reset();
    Years().Reset();
    Pubs().Reset();
    Sources().Reset();
}

void CutAndSortValueLists() {
    Genres().CutAndSort();
    Pubs().CutAndSort();
    Years().CutAndSort();
    Sources().CutAndSort();
}
