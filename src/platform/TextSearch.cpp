#include "platform/TextSearch.h"

#include "platform/Text.h"

TextSearch::TextSearch(const QString& pattern) {
    for (const QChar c : pattern)
        folded_.push_back(FoldCase(c.unicode()));
    const int length = static_cast<int>(folded_.size());
    skip_.fill(length);
    for (int k = 0; k + 1 < length; ++k)
        skip_[folded_[k] & 0xff] = length - 1 - k;
}

bool TextSearch::FoundIn(const QString& text) const {
    if (folded_.empty())
        return !text.isEmpty();
    const qsizetype length = static_cast<qsizetype>(folded_.size());
    const QChar* s = text.constData();
    for (qsizetype end = length - 1; end < text.size();) {
        const char16_t c = FoldCase(s[end].unicode());
        if (c == folded_.back() && MatchesAt(s + end + 1 - length))
            return true;
        end += skip_[c & 0xff];
    }
    return false;
}

bool TextSearch::MatchesAt(const QChar* s) const {
    for (size_t k = 0; k + 1 < folded_.size(); ++k)
        if (FoldCase(s[k].unicode()) != folded_[k])
            return false;
    return true;
}
