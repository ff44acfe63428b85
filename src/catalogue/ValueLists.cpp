#include "catalogue/ValueLists.h"

#include "catalogue/Module1.h"
#include "platform/Text.h"

#include <QHash>

#include <algorithm>

namespace {

// A hash of the text that ignores letter case.
size_t FoldedHash(QStringView text) {
    size_t h = 0;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        h = h * 31 + (c < 0x80 ? (c >= u'A' && c <= u'Z' ? c + 32 : c) : ch.toCaseFolded().unicode());
    }
    return h;
}

bool SameText(QStringView a, QStringView b) {
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// A list with an index from the hashes of its entries to their slots, so that
// a load does not compare each game's value with every entry. The index holds
// numbers only; every match is checked against the entry itself.
struct ValueList {
    std::vector<QString>& list;
    int& count;
    int capacity;
    QMultiHash<size_t, int> index;

    void RebuildIndex() {
        index.clear();
        for (int i = 1; i <= std::min(count, UBound(list)); ++i) index.insert(FoldedHash(list[i]), i);
    }

    // The slot of the first entry equal to the value, 0 when there is none.
    int Find(QStringView value) {
        // The index follows the list unless the list was changed elsewhere:
        // a count that differs or an entry that no longer matches its hash.
        if (index.size() != count) RebuildIndex();
        const size_t hash = FoldedHash(value);
        for (int attempt = 0; attempt < 2; ++attempt) {
            int found = 0;
            bool stale = false;
            const auto range = index.equal_range(hash);
            for (auto it = range.first; it != range.second; ++it) {
                const int slot = it.value();
                if (slot > count || slot > UBound(list) || FoldedHash(list[slot]) != hash) stale = true;
                else if ((found == 0 || slot < found) && SameText(list[slot], value)) found = slot;
            }
            if (!stale) return found;
            RebuildIndex();
        }
        return 0;
    }

    QString Offer(QStringView value) {
        const int slot = Find(value);
        if (slot > 0) return list[slot] == value ? list[slot] : value.toString();
        ++count;
        GrowToSlot(list, count);
        list[count] = value.toString();
        index.insert(FoldedHash(value), count);
        return list[count];
    }

    void Reset() {
        index.clear();
        list.assign(capacity + 1, QString());
        count = 0;
    }

    void CutAndSort() {
        index.clear();
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
