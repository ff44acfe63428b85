#pragma once

#include <QString>

#include <array>

// One game of the catalogue. Flag slot i of lcFlags stands for the letter
// with code 96 + i ("a" = 1), of ucFlags for code 64 + i ("A" = 1); slot 0 is
// never used.
struct clsGame {
    QString Name;
    QString Publisher;
    QString Year;
    QString Genre;
    QString Filename;  // derived
    QString Source;
    QString DiskOK;  // "Yes", "No" or "" before any audit
    QString PicOK;   // the same for the picture
    QString Game;    // derived: the catalogue line as read
    QString RawFileName;
    QString Author;
    std::array<bool, 27> lcFlags{};
    std::array<bool, 27> ucFlags{};
    QString DisplayName;      // derived
    QString DisplayFilename;  // derived
};
