#include "catalogue/ValueLists.h"

#include "catalogue/Module1.h"
#include "platform/Text.h"

#include <QHash>

#include <algorithm>

namespace {

// The letter-case-free form of a character, as QString's case-insensitive
// comparison sees it; ASCII, nearly every character of a catalogue, directly.
char16_t Fold(QChar ch) {
    const char16_t c = ch.unicode();
    if (c < 0x80) return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    return ch.toCaseFolded().unicode();
}

// A hash of the text that ignores letter case (FNV-1a).
quint64 FoldedHash(QStringView text) {
    quint64 h = 14695981039346656037ull;
    for (const QChar ch : text) h = (h ^ Fold(ch)) * 1099511628211ull;
    return h;
}

bool SameText(QStringView a, QStringView b) {
    // Values nearly always repeat in the same letter case, and a plain
    // comparison is far cheaper than a case-free one.
    return a == b || (a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0);
}

// A list with an index from the hash of each text to the first slot that
// holds a text with that hash, so that a load does not compare each game's
// value with every entry. The index is only a guide: a slot it names must
// hold an equal text, or else (two texts with one hash, or a list changed
// elsewhere) the list itself is searched.
struct ValueList {
    std::vector<QString>& list;
    int& count;
    int capacity;
    QHash<quint64, int> firstSlot;
    int indexed = 0;  // slots 1..indexed are in the index

    void Index(quint64 hash, int slot) {
        if (!firstSlot.contains(hash)) firstSlot.insert(hash, slot);
    }

    void RebuildIndex() {
        firstSlot.clear();
        indexed = std::min(count, UBound(list));
        for (int i = 1; i <= indexed; ++i) Index(FoldedHash(list[i]), i);
    }

    int Scan(QStringView value) const {
        for (int i = 1; i <= std::min(count, UBound(list)); ++i)
            if (SameText(list[i], value)) return i;
        return 0;
    }

    // The slot of the first entry equal to the value, 0 when there is none.
    int Find(QStringView value, quint64 hash) {
        if (indexed != count) RebuildIndex();
        const auto it = firstSlot.constFind(hash);
        if (it == firstSlot.constEnd()) return 0;
        if (*it <= UBound(list) && SameText(list[*it], value)) return *it;
        RebuildIndex();
        return Scan(value);
    }

    QString Offer(QStringView value) {
        const quint64 hash = FoldedHash(value);
        const int slot = Find(value, hash);
        if (slot > 0) return list[slot] == value ? list[slot] : value.toString();
        ++count;
        GrowToSlot(list, count);
        list[count] = value.toString();
        Index(hash, count);
        indexed = count;
        return list[count];
    }

    void Reset() {
        firstSlot.clear();
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
