#pragma once

#include <QString>

#include <array>
#include <vector>

// InStr's search, letter case ignored, prepared once for many texts. It looks
// at the window's last character and skips ahead as far as the pattern allows
// (Horspool), so most characters of a text are never looked at. Mac Roman text
// lies in the Basic Multilingual Plane, where folding one UTF-16 unit folds the
// character as InStr does.
class TextSearch {
public:
    explicit TextSearch(const QString& pattern);

    // True when InStr(text, pattern) > 0; the empty pattern is found in any
    // text but the empty one, as InStr finds it.
    bool FoundIn(const QString& text) const;

private:
    bool MatchesAt(const QChar* s) const;

    std::vector<char16_t> folded_;
    // By the low byte of a folded character: how far the window may move
    // when that character ends it.
    std::array<int, 256> skip_;
};
